// The string table, its blocks, and the error frame every failure is printed in.
#include "launcher/messages.h"

#include <gtest/gtest.h>

namespace {

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

struct MessageCase {
  int id;
  Text text;
};

class MessageTextTest : public testing::TestWithParam<MessageCase> {};

TEST_P(MessageTextTest, CarriesTheExactText) {
  EXPECT_EQ(LoadMessage(GetParam().id), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MessageTextTest,
    testing::Values(
        MessageCase{202, u"Pengecualian Windows: %s (errno = %d).\n"},
        MessageCase{203, u"Pengecualian JNI: %s\nAlasan: %s.\n"},
        MessageCase{204, u"Kesalahan COM: %s (errno = %d).\n"},
        MessageCase{205, u"Pengecualian JNI: %s.\n"},
        MessageCase{206, u" Java Runtime Environment (JRE) tidak ditemukan. Silakan download dan "
                         u"instal JRE dengan server JVM (%s) dari:"},
        MessageCase{207, u"The Java Runtime Environment (JRE) tidak ditemukan. Silakan download "
                         u"dan instal JRE (%s) dari:"},
        MessageCase{208, u"gagal mendapatkan lintasan modul "},
        MessageCase{209, u"Java Class Path tidak ditetapkan di file INI."},
        MessageCase{210, u"Main class tidak ditetapkan di file INI."},
        MessageCase{211, u"Gagal memuat Main Class: %s.\n"},
        MessageCase{212, u"tidak menemukan CreateJavaVM JNI"},
        MessageCase{213, u"gagal membuat VM Java"},
        MessageCase{214, u"Browse folder JRE"},
        MessageCase{215, u"Tidak dapat menemukan main class %s.\n"},
        MessageCase{216, u"Tidak ditemukan metode utama di class yang ditetapkan.\n"},
        MessageCase{217, u"versi terbaru"},
        MessageCase{218, u"versi maksimum %s"},
        MessageCase{219, u"versi minimum %s"},
        MessageCase{220, u"diperlukan versi %s"},
        MessageCase{221, u"versi antara %s dan %s"},
        MessageCase{222, u"Gagal memuat perpustakaan VM Java: %s (errno = %d).\n"},
        MessageCase{223, u"gagal memulai"},
        MessageCase{224, u"gagal memulai modul"},
        MessageCase{225, u"tidak dikenal"},
        MessageCase{226, u"utas dilepas dari VM"},
        MessageCase{227, u"versi JNI salah"},
        MessageCase{228, u"memori tidak cukup"},
        MessageCase{229, u"VM telah dibuat"},
        MessageCase{230, u"argumen tidak benar"},
        // Outside the table: the ends of the blocks that hold it, and no block at all.
        MessageCase{201, u""}, MessageCase{231, u""}, MessageCase{192, u""},
        MessageCase{239, u""}, MessageCase{0, u""}, MessageCase{-1, u""}),
    [](const testing::TestParamInfo<MessageCase>& info) {
      return info.param.id < 0 ? std::string("negative") : std::to_string(info.param.id);
    });

// A block as the resource compiler lays it out: each position a length, then that many units.
Text Block(std::initializer_list<Text> texts) {
  Text block;
  for (const Text& text : texts) {
    block.push_back(static_cast<char16_t>(text.size()));
    block += text;
  }
  return block;
}

struct BlockCase {
  const char* name;
  Text block;
  unsigned position;
  Text expected;
};

class TableBlockTest : public testing::TestWithParam<BlockCase> {};

TEST_P(TableBlockTest, WalksLengthPrefixedTexts) {
  EXPECT_EQ(StringFromTableBlock(GetParam().block, GetParam().position), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableBlockTest,
    testing::Values(
        BlockCase{"first", Block({u"ab", u"c"}), 0, u"ab"},
        BlockCase{"after_empty_positions", Block({u"", u"", u"xyz", u"w"}), 2, u"xyz"},
        BlockCase{"empty_position", Block({u"a", u"", u"b"}), 1, u""},
        BlockCase{"past_the_last_text", Block({u"a", u"b"}), 5, u""},
        BlockCase{"empty_block", Text(), 0, u""},
        BlockCase{"text_cut_short", Text(u"\x0005" u"abc"), 0, u""},
        BlockCase{"later_text_cut_short", Block({u"a"}) + Text(u"\x0009" u"abc"), 1, u""},
        BlockCase{"length_unit_alone", Text(u"\x0003"), 0, u""},
        BlockCase{"text_filling_the_block", Block({u"a", u"bcd"}), 1, u"bcd"},
        BlockCase{"embedded_line_feed", Block({u"x\ny\n"}), 0, u"x\ny\n"}),
    [](const testing::TestParamInfo<BlockCase>& info) { return info.param.name; });

struct ReportCase {
  const char* name;
  void (*report)();
  const char* expected;
};

class ErrorFrameTest : public testing::TestWithParam<ReportCase> {};

TEST_P(ErrorFrameTest, PrintsExactBytes) {
  CaptureStdout();
  GetParam().report();
  EXPECT_EQ(GetCapturedStdout(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorFrameTest,
    testing::Values(
        ReportCase{"missing_main_class", [] { ReportError(LoadMessage(kMsgNoMainClass)); },
                   "Error: Main class tidak ditetapkan di file INI. \n"},
        ReportCase{"message_absent_from_table", [] { ReportError(LoadMessage(201)); },
                   "Error:  \n"},
        ReportCase{"module_path_unavailable",
                   [] {
                     ReportFormattedError(LoadMessage(kMsgWindowsException),
                                          {LoadMessage(kMsgModulePathUnavailable), 5u});
                   },
                   "Error: Pengecualian Windows: gagal mendapatkan lintasan modul  (errno = 5).\n"
                   " \n"},
        ReportCase{"companion_not_started",
                   [] {
                     ReportFormattedError(LoadMessage(kMsgWindowsException),
                                          {LoadMessage(kMsgModuleNotStarted), 2u});
                   },
                   "Error: Pengecualian Windows: gagal memulai modul (errno = 2).\n \n"},
        ReportCase{"vm_creation_out_of_memory",
                   [] {
                     ReportFormattedError(LoadMessage(kMsgJniException),
                                          {LoadMessage(kMsgCreateJavaVmFailed), LoadMessage(228)});
                   },
                   "Error: Pengecualian JNI: gagal membuat VM Java\nAlasan: memori tidak cukup.\n"
                   " \n"},
        ReportCase{"vm_creation_unknown_code",
                   [] {
                     ReportFormattedError(LoadMessage(kMsgJniException),
                                          {LoadMessage(kMsgCreateJavaVmFailed), Text()});
                   },
                   "Error: Pengecualian JNI: gagal membuat VM Java\nAlasan: .\n \n"},
        ReportCase{"non_ascii_text_in_utf8",
                   [] {
                     ReportFormattedError(LoadMessage(kMsgMainClassNotFound), {u"caf\u00e9/App"});
                   },
                   "Error: Tidak dapat menemukan main class caf\xc3\xa9/App.\n \n"}),
    [](const testing::TestParamInfo<ReportCase>& info) { return info.param.name; });

TEST(FormatMessageIdTest, UsesTheTableEntryAsFormat) {
  EXPECT_EQ(FormatMessageId(kMsgVersionBetween, {u"1.6", u"1.8"}), u"versi antara 1.6 dan 1.8");
  EXPECT_EQ(FormatMessageId(201, {u"x"}), u"");
}

}  // namespace

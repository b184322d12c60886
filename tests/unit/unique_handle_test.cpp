// The handle owner: when it closes, what it hands over, and that closing keeps errno; and the
// POSIX kinds really giving their descriptor back.
#include "platform/posix/unique_handle.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// A kind whose values are small numbers, 0 when absent; closing is recorded and, as a failing
// close() would, overwrites errno.
std::vector<int> closed;

struct RecordedTraits {
  using Value = int;
  using ErrorKeeper = os::ErrnoKeeper;
  static Value Invalid() { return 0; }
  static bool IsValid(Value v) { return v != 0; }
  static void Close(Value v) {
    closed.push_back(v);
    errno = EBADF;
  }
};
using Recorded = os::UniqueHandle<RecordedTraits>;

class UniqueHandleTest : public testing::Test {
 protected:
  void SetUp() override { closed.clear(); }
};

TEST_F(UniqueHandleTest, ClosesWhatItHoldsWhenItGoes) {
  { Recorded owner(7); }
  { Recorded empty; }
  EXPECT_EQ(closed, std::vector<int>{7});
}

TEST_F(UniqueHandleTest, ResetClosesTheOldValueOnceAndKeepsTheNew) {
  Recorded owner(1);
  owner.Reset(2);
  EXPECT_EQ(closed, std::vector<int>{1});
  EXPECT_EQ(owner.Get(), 2);
  owner.Reset();
  EXPECT_FALSE(owner);
  owner.Reset();
  EXPECT_EQ(closed, (std::vector<int>{1, 2}));
}

TEST_F(UniqueHandleTest, ReleaseHandsOverWithoutClosing) {
  int value = 0;
  {
    Recorded owner(5);
    value = owner.Release();
    EXPECT_FALSE(owner.IsValid());
  }
  EXPECT_EQ(value, 5);
  EXPECT_TRUE(closed.empty());
}

TEST_F(UniqueHandleTest, MovingTransfersTheValueAndClosesTheTargetsOldOne) {
  Recorded first(3);
  Recorded second(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(second.Get(), 3);
  Recorded third(4);
  third = std::move(second);
  EXPECT_EQ(closed, std::vector<int>{4});
  EXPECT_EQ(third.Get(), 3);
  EXPECT_FALSE(second);
}

TEST_F(UniqueHandleTest, PutClosesWhatIsHeldAndTakesTheValueWrittenThere) {
  Recorded owner(8);
  int* slot = owner.Put();
  EXPECT_EQ(closed, std::vector<int>{8});
  EXPECT_EQ(*slot, 0);
  *slot = 9;  // as a system call handing out a handle would
  EXPECT_EQ(owner.Get(), 9);
  owner.Reset();
  EXPECT_EQ(closed, (std::vector<int>{8, 9}));
}

TEST_F(UniqueHandleTest, ClosingKeepsErrno) {
  {
    Recorded owner(6);
    errno = ENOENT;  // the failure a caller is about to report
    owner.Reset();
    EXPECT_EQ(errno, ENOENT);
    owner.Reset(7);
    errno = EACCES;
  }
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(closed, (std::vector<int>{6, 7}));
}

// Each POSIX kind, opened on /dev/null and dropped: the descriptor underneath is closed.
struct KindCase {
  const char* name;
  int (*openThenDrop)();  // the descriptor the owner held
};

int DropFileDescriptor() {
  os::FileDescriptor owner(open("/dev/null", O_RDONLY | O_CLOEXEC));
  EXPECT_TRUE(owner);
  return owner.Get();
}

int DropDirectoryStream() {
  os::DirectoryStream owner(opendir("/dev"));
  EXPECT_TRUE(owner);
  return owner ? dirfd(owner.Get()) : -1;
}

int DropFileStream() {
  os::FileStream owner(fopen("/dev/null", "r"));
  EXPECT_TRUE(owner);
  return owner ? fileno(owner.Get()) : -1;
}

class PosixKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(PosixKindTest, GivesItsDescriptorBack) {
  int fd = GetParam().openThenDrop();
  ASSERT_GE(fd, 0);
  EXPECT_EQ(fcntl(fd, F_GETFD), -1);
  EXPECT_EQ(errno, EBADF);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PosixKindTest,
                         testing::Values(KindCase{"file_descriptor", DropFileDescriptor},
                                         KindCase{"directory_stream", DropDirectoryStream},
                                         KindCase{"file_stream", DropFileStream}),
                         [](const testing::TestParamInfo<KindCase>& info) {
                           return info.param.name;
                         });

}  // namespace

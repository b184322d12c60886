// Win32 side of the tool's operating-system contacts.
#include "tool_io.h"

#include "platform/win32/base_provider.h"

namespace tool {

namespace {

Text Reason(const Text& what, const Text& path) {
  DWORD code = GetLastError();
  wchar_t buffer[512];
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, buffer, 512, nullptr);
  Text system = Trim(FromWide(buffer, length));
  return what + u" '" + path + u"': " + (system.empty() ? u"error " + DecimalText(code) : system);
}

bool WriteAll(HANDLE file, const char* data, size_t size) {
  while (size > 0) {
    DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

void WriteStream(DWORD stream, const Text& text) {
  HANDLE out = GetStdHandle(stream);
  DWORD mode = 0;
  if (GetConsoleMode(out, &mode)) {
    DWORD written = 0;
    WriteConsoleW(out, Wide(text), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  ByteString bytes = ToUtf8(text);
  WriteAll(out, bytes.data(), bytes.size());
}

}  // namespace

bool ReadWholeFile(const Text& path, ByteString& bytes, Text& error) {
  os::FileHandle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(file.Get(), &size)) {
    error = Reason(u"cannot open", path);
    return false;
  }
  if (size.QuadPart > 0x7FFFFFFF) {
    error = u"'" + path + u"' is too large";
    return false;
  }
  bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &read,
                  nullptr) ||
        read == 0) {
      error = Reason(u"cannot read", path);
      return false;
    }
    done += read;
  }
  return true;
}

// The new file inherits the folder's permissions, as any file created there does.
bool ReplaceWithNewFile(const Text& path, const ByteString& bytes, const Text&, Text& error) {
  Text temporary = path + u".embed-" + DecimalText(GetCurrentProcessId()) + u".tmp";
  {
    os::FileHandle file(CreateFileW(Wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      error = Reason(u"cannot create", temporary);
      return false;
    }
    if (!WriteAll(file.Get(), bytes.data(), bytes.size()) || !FlushFileBuffers(file.Get())) {
      error = Reason(u"cannot write", temporary);
      file.Reset();
      DeleteFileW(Wide(temporary));
      return false;
    }
  }
  // The caller has decided that a read-only file may be replaced; Windows refuses to move
  // over one, so it loses the attribute first and gets it back if the move fails.
  DWORD attributes = GetFileAttributesW(Wide(path));
  bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  if (readOnly) SetFileAttributesW(Wide(path), attributes & ~FILE_ATTRIBUTE_READONLY);
  if (!MoveFileExW(Wide(temporary), Wide(path),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = Reason(u"cannot replace", path);
    if (readOnly) SetFileAttributesW(Wide(path), attributes);
    DeleteFileW(Wide(temporary));
    return false;
  }
  return true;
}

bool IsReadOnly(const Text& path) {
  DWORD attributes = GetFileAttributesW(Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool RandomBytes(uint8_t* bytes, size_t count) {
  os::CryptProvider provider = os::AcquireBaseProvider();
  return provider && CryptGenRandom(provider.Get(), static_cast<DWORD>(count), bytes);
}

void WriteOutput(const Text& text) { WriteStream(STD_OUTPUT_HANDLE, text); }
void WriteError(const Text& text) { WriteStream(STD_ERROR_HANDLE, text); }

}  // namespace tool

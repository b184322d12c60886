// Win32 side of the launcher's threads.
#include "platform/threads.h"

#include "platform/win32/unique_handle.h"

namespace os {

namespace {

struct ThreadStart {
  ThreadRoutine routine;
  void* argument;
};

DWORD WINAPI ThreadMain(LPVOID parameter) {
  ThreadStart* start = static_cast<ThreadStart*>(parameter);
  return static_cast<DWORD>(start->routine(start->argument));
}

}  // namespace

uint32_t RunThreadAndWait(ThreadRoutine routine, void* argument, uint32_t stackSize,
                          int& exitCode) {
  ThreadStart start{routine, argument};
  KernelHandle thread(CreateThread(nullptr, stackSize, ThreadMain, &start, 0, nullptr));
  if (!thread) return GetLastError();
  WaitForSingleObject(thread.Get(), INFINITE);
  DWORD code = 0;
  GetExitCodeThread(thread.Get(), &code);
  exitCode = static_cast<int>(code);
  return 0;
}

void SleepForever() {
  for (;;) Sleep(INFINITE);
}

}  // namespace os

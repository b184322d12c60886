// POSIX side of the launcher's threads.
#include "platform/threads.h"

#include <limits.h>
#include <pthread.h>
#include <unistd.h>

namespace os {

namespace {

struct ThreadStart {
  ThreadRoutine routine;
  void* argument;
  int result;
};

void* ThreadMain(void* parameter) {
  ThreadStart* start = static_cast<ThreadStart*>(parameter);
  start->result = start->routine(start->argument);
  return nullptr;
}

// Windows rounds a small stack up to its minimum; POSIX refuses it, so round up here.
size_t UsableStackSize(uint32_t requested) {
  size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  size_t size = requested < PTHREAD_STACK_MIN ? PTHREAD_STACK_MIN : requested;
  return (size + page - 1) / page * page;
}

}  // namespace

uint32_t RunThreadAndWait(ThreadRoutine routine, void* argument, uint32_t stackSize,
                          int& exitCode) {
  ThreadStart start{routine, argument, 0};
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  if (stackSize != 0) pthread_attr_setstacksize(&attributes, UsableStackSize(stackSize));
  pthread_t thread;
  int failed = pthread_create(&thread, &attributes, ThreadMain, &start);
  pthread_attr_destroy(&attributes);
  if (failed) return static_cast<uint32_t>(failed);
  pthread_join(thread, nullptr);
  exitCode = start.result;
  return 0;
}

void SleepForever() {
  for (;;) pause();
}

}  // namespace os

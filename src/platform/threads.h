// Threads of the launcher: the VM thread with its chosen stack size, and a thread that
// parks itself for good.
#pragma once

#include <cstdint>

namespace os {

using ThreadRoutine = int (*)(void* argument);

// Runs the routine on a new thread whose stack size is `stackSize` bytes (0: the
// executable's default) and waits for it without a time-out. 0 when the thread ran, with
// `exitCode` the routine's result; otherwise the error code.
uint32_t RunThreadAndWait(ThreadRoutine routine, void* argument, uint32_t stackSize,
                          int& exitCode);

// Blocks the calling thread for good; the process ends from another thread or from outside.
[[noreturn]] void SleepForever();

}  // namespace os

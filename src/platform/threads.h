// Threads and events of the launcher: the VM thread with its chosen stack size, threads that
// run beside the main one (a stop request's, one whose ID other processes post to), events
// to signal between them, and a thread that parks itself for good.
#pragma once

#include <cstdint>
#include <memory>

#include "core/text.h"

namespace os {

using ThreadRoutine = int (*)(void* argument);

// A time-out that never runs out (the system's INFINITE).
constexpr uint32_t kWaitForever = 0xFFFFFFFF;

// How a wait for a thread or an event ended. `Failed` means there was nothing to wait for (no
// thread started, no event made) or the system refused the wait.
enum class WaitResult { Signalled, TimedOut, Failed };

// Runs the routine on a new thread whose stack size is `stackSize` bytes (0: the
// executable's default) and waits for it without a time-out. 0 when the thread ran, with
// `exitCode` the routine's result; otherwise why no thread could be started.
uint32_t RunThreadAndWait(ThreadRoutine routine, void* argument, uint32_t stackSize, int& exitCode);

// Starts the routine on a thread that nobody waits for or keeps (it ends on its own or with
// the process); 0 when started, otherwise why not.
uint32_t StartDetachedThread(ThreadRoutine routine, void* argument);

// Blocks the calling thread for good; the process ends from another thread or from outside.
[[noreturn]] void SleepForever();

// Blocks the calling thread for about that long: the pause of a polling loop.
void SleepMilliseconds(uint32_t milliseconds);

// The calling thread's ID, the number Thread::Start publishes for a thread (GetCurrentThreadId
// on Windows, the kernel's thread ID on POSIX).
uint32_t CurrentThreadId();

// An owned thread that others can find by its ID. Destroying the object does not stop the
// thread or wait for it: a thread still running goes on on its own (Windows closes the
// handle, POSIX detaches it).
class Thread {
 public:
  Thread();
  ~Thread();
  Thread(Thread&& other) noexcept;
  Thread& operator=(Thread&& other) noexcept;
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Starts the routine on a new thread. The new thread's ID is written to `*threadId` (when
  // not null) before the routine runs and before Start returns, so a block shared with other
  // processes never names a thread that is not there yet; on Windows the system writes it
  // there itself as it creates the thread. 0 when started, otherwise why not (the object then
  // holds no thread). An object that already holds a thread lets that one go first.
  uint32_t Start(ThreadRoutine routine, void* argument, uint32_t* threadId);

  // Whether a thread was started and its routine has not returned yet: the poll of a watcher
  // that must not block.
  bool IsRunning() const;
  // The routine's result once the thread has ended; false while it runs or when no thread was
  // started. A routine may return any value, also Windows' STILL_ACTIVE (259).
  bool ExitCode(int& exitCode) const;
  // Waits up to `milliseconds` (kWaitForever: without a time-out) for the routine to return.
  WaitResult Wait(uint32_t milliseconds);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// An owned event with manual reset: once set it stays set, and every wait, now or later,
// sees it signalled. Named events are Windows only (other processes open them by name).
class Event {
 public:
  Event();
  ~Event();
  Event(Event&& other) noexcept;
  Event& operator=(Event&& other) noexcept;
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  // Makes a new event, not set. With a name, others can open it by that name; an event of
  // that name that exists already is opened instead (as Windows does). POSIX makes unnamed
  // events only and refuses a name with ENOSYS. 0 when made, otherwise why not. Create and
  // Open let go of an event the object held first.
  uint32_t Create(const Text& name = Text());
  // Opens the existing event of that name, to set it or wait for it (Windows only; ENOSYS on
  // POSIX). 0 when opened, otherwise why not (no such event: ERROR_FILE_NOT_FOUND).
  uint32_t Open(const Text& name);

  // Whether the object holds an event, made or opened.
  bool IsValid() const;
  // Sets the event, releasing every waiter; 0 when set, otherwise why not.
  uint32_t Set();
  // Waits up to `milliseconds` (kWaitForever: without a time-out) for the event to be set.
  WaitResult Wait(uint32_t milliseconds) const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace os

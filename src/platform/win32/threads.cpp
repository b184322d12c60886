// Win32 side of the launcher's threads and events.
#include "platform/threads.h"

#include "platform/win32/unique_handle.h"

namespace os {

namespace {

static_assert(sizeof(DWORD) == sizeof(uint32_t), "thread IDs are written as 32-bit numbers");
static_assert(kWaitForever == INFINITE, "the endless time-out is the system's own");

struct ThreadStart {
  ThreadRoutine routine;
  void* argument;
};

DWORD WINAPI ThreadMain(LPVOID parameter) {
  ThreadStart* start = static_cast<ThreadStart*>(parameter);
  return static_cast<DWORD>(start->routine(start->argument));
}

// For threads that outlive the frame that started them: the thread frees its start block.
DWORD WINAPI OwningThreadMain(LPVOID parameter) {
  std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
  return static_cast<DWORD>(start->routine(start->argument));
}

// Starts the routine on a thread of its own, the ID written by the system to `threadId`
// (when not null) before the thread runs.
uint32_t StartOwningThread(ThreadRoutine routine, void* argument, DWORD* threadId,
                           KernelHandle& thread) {
  std::unique_ptr<ThreadStart> start(new ThreadStart{routine, argument});
  thread = KernelHandle(CreateThread(nullptr, 0, OwningThreadMain, start.get(), 0, threadId));
  if (!thread) return GetLastError();
  start.release();  // the thread frees it now
  return 0;
}

WaitResult WaitFor(const KernelHandle& object, uint32_t milliseconds) {
  switch (WaitForSingleObject(object.Get(), milliseconds)) {
    case WAIT_OBJECT_0:
      return WaitResult::Signalled;
    case WAIT_TIMEOUT:
      return WaitResult::TimedOut;
    default:
      return WaitResult::Failed;
  }
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

uint32_t StartDetachedThread(ThreadRoutine routine, void* argument) {
  KernelHandle thread;
  return StartOwningThread(routine, argument, nullptr, thread);
}

void SleepForever() {
  for (;;) Sleep(INFINITE);
}

void SleepMilliseconds(uint32_t milliseconds) { Sleep(milliseconds); }

uint32_t CurrentThreadId() { return GetCurrentThreadId(); }

struct Thread::State {
  KernelHandle handle;
};

Thread::Thread() = default;
Thread::~Thread() = default;
Thread::Thread(Thread&& other) noexcept = default;
Thread& Thread::operator=(Thread&& other) noexcept = default;

uint32_t Thread::Start(ThreadRoutine routine, void* argument, uint32_t* threadId) {
  state_.reset();
  std::unique_ptr<State> state(new State);
  // Straight to the caller's location, which may lie in a block other processes read.
  uint32_t error =
      StartOwningThread(routine, argument, reinterpret_cast<DWORD*>(threadId), state->handle);
  if (error != 0) return error;
  state_ = std::move(state);
  return 0;
}

// Asked of the handle rather than of the exit code, which reads STILL_ACTIVE while the thread
// runs but also when its routine returned that very number.
bool Thread::IsRunning() const {
  return state_ && WaitForSingleObject(state_->handle.Get(), 0) == WAIT_TIMEOUT;
}

bool Thread::ExitCode(int& exitCode) const {
  if (!state_ || WaitForSingleObject(state_->handle.Get(), 0) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  if (!GetExitCodeThread(state_->handle.Get(), &code)) return false;
  exitCode = static_cast<int>(code);
  return true;
}

WaitResult Thread::Wait(uint32_t milliseconds) {
  return state_ ? WaitFor(state_->handle, milliseconds) : WaitResult::Failed;
}

struct Event::State {
  KernelHandle handle;
};

Event::Event() = default;
Event::~Event() = default;
Event::Event(Event&& other) noexcept = default;
Event& Event::operator=(Event&& other) noexcept = default;

uint32_t Event::Create(const Text& name) {
  state_.reset();
  KernelHandle handle(CreateEventW(nullptr, TRUE, FALSE, name.empty() ? nullptr : Wide(name)));
  if (!handle) return GetLastError();
  state_.reset(new State{std::move(handle)});
  return 0;
}

uint32_t Event::Open(const Text& name) {
  state_.reset();
  KernelHandle handle(OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, Wide(name)));
  if (!handle) return GetLastError();
  state_.reset(new State{std::move(handle)});
  return 0;
}

bool Event::IsValid() const { return state_ != nullptr; }

uint32_t Event::Set() {
  if (!state_) return ERROR_INVALID_HANDLE;
  return SetEvent(state_->handle.Get()) ? 0 : GetLastError();
}

WaitResult Event::Wait(uint32_t milliseconds) const {
  return state_ ? WaitFor(state_->handle, milliseconds) : WaitResult::Failed;
}

}  // namespace os

// POSIX side of the launcher's threads and events.
#include "platform/threads.h"

#include <errno.h>
#include <limits.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

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

// For threads that outlive the frame that started them: the thread frees its start block.
void* DetachedThreadMain(void* parameter) {
  std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
  start->routine(start->argument);
  return nullptr;
}

// Windows rounds a small stack up to its minimum; POSIX refuses it, so round up here.
size_t UsableStackSize(uint32_t requested) {
  size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  size_t size = requested < PTHREAD_STACK_MIN ? PTHREAD_STACK_MIN : requested;
  return (size + page - 1) / page * page;
}

// Waits on `condition` until `done` holds or the time is up; false when the time ran out.
template <typename Predicate>
bool WaitUntil(std::condition_variable& condition, std::unique_lock<std::mutex>& lock,
               uint32_t milliseconds, Predicate done) {
  if (milliseconds == kWaitForever) {
    condition.wait(lock, done);
    return true;
  }
  return condition.wait_for(lock, std::chrono::milliseconds(milliseconds), done);
}

// What an owned thread and its owner share; whichever lets go last frees it, so an owner
// may go while its thread still runs.
struct ThreadShared {
  ThreadShared(ThreadRoutine routine, void* argument, uint32_t* threadId)
      : routine(routine), argument(argument), threadId(threadId) {}

  ThreadRoutine routine;
  void* argument;
  uint32_t* threadId;
  std::mutex mutex;
  std::condition_variable changed;
  bool started = false;  // the ID has been published
  bool ended = false;
  int exitCode = 0;
};

void* OwnedThreadMain(void* parameter) {
  std::unique_ptr<std::shared_ptr<ThreadShared>> handedOver(
      static_cast<std::shared_ptr<ThreadShared>*>(parameter));
  std::shared_ptr<ThreadShared> shared = std::move(*handedOver);
  {
    std::lock_guard<std::mutex> lock(shared->mutex);
    if (shared->threadId) *shared->threadId = CurrentThreadId();
    shared->started = true;
  }
  shared->changed.notify_all();
  int result = shared->routine(shared->argument);
  {
    std::lock_guard<std::mutex> lock(shared->mutex);
    shared->exitCode = result;
    shared->ended = true;
  }
  shared->changed.notify_all();
  return nullptr;
}

}  // namespace

uint32_t RunThreadAndWait(ThreadRoutine routine, void* argument, uint32_t stackSize,
                          int& exitCode) {
  ThreadStart start{routine, argument, 0};
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  int error = 0;
  if (stackSize != 0) error = pthread_attr_setstacksize(&attributes, UsableStackSize(stackSize));
  pthread_t thread;
  if (error == 0) error = pthread_create(&thread, &attributes, ThreadMain, &start);
  pthread_attr_destroy(&attributes);
  if (error != 0) return static_cast<uint32_t>(error);
  pthread_join(thread, nullptr);
  exitCode = start.result;
  return 0;
}

uint32_t StartDetachedThread(ThreadRoutine routine, void* argument) {
  std::unique_ptr<ThreadStart> start(new ThreadStart{routine, argument, 0});
  pthread_t thread;
  int error = pthread_create(&thread, nullptr, DetachedThreadMain, start.get());
  if (error != 0) return static_cast<uint32_t>(error);
  start.release();  // the thread frees it now
  pthread_detach(thread);
  return 0;
}

void SleepForever() {
  for (;;) pause();
}

void SleepMilliseconds(uint32_t milliseconds) {
  timespec remaining{static_cast<time_t>(milliseconds / 1000),
                     static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
  }
}

uint32_t CurrentThreadId() { return static_cast<uint32_t>(gettid()); }

// A thread not yet joined is detached when its owner goes, so the system reclaims it once the
// routine returns.
struct Thread::State {
  pthread_t thread;
  std::shared_ptr<ThreadShared> shared;
  bool joined = false;

  ~State() {
    if (!joined) pthread_detach(thread);
  }
};

Thread::Thread() = default;
Thread::~Thread() = default;
Thread::Thread(Thread&& other) noexcept = default;
Thread& Thread::operator=(Thread&& other) noexcept = default;

uint32_t Thread::Start(ThreadRoutine routine, void* argument, uint32_t* threadId) {
  state_.reset();
  auto shared = std::make_shared<ThreadShared>(routine, argument, threadId);
  std::unique_ptr<std::shared_ptr<ThreadShared>> handedOver(
      new std::shared_ptr<ThreadShared>(shared));
  pthread_t thread;
  int error = pthread_create(&thread, nullptr, OwnedThreadMain, handedOver.get());
  if (error != 0) return static_cast<uint32_t>(error);
  handedOver.release();  // the thread frees it now
  state_.reset(new State{thread, shared});
  // The ID is published by the thread itself, so wait for it as Windows' CreateThread does.
  std::unique_lock<std::mutex> lock(shared->mutex);
  shared->changed.wait(lock, [&] { return shared->started; });
  return 0;
}

bool Thread::IsRunning() const {
  if (!state_) return false;
  std::lock_guard<std::mutex> lock(state_->shared->mutex);
  return !state_->shared->ended;
}

bool Thread::ExitCode(int& exitCode) const {
  if (!state_) return false;
  std::lock_guard<std::mutex> lock(state_->shared->mutex);
  if (!state_->shared->ended) return false;
  exitCode = state_->shared->exitCode;
  return true;
}

WaitResult Thread::Wait(uint32_t milliseconds) {
  if (!state_) return WaitResult::Failed;
  ThreadShared& shared = *state_->shared;
  {
    std::unique_lock<std::mutex> lock(shared.mutex);
    if (!WaitUntil(shared.changed, lock, milliseconds, [&] { return shared.ended; })) {
      return WaitResult::TimedOut;
    }
  }
  // The routine has returned; joining lets the thread finish its last steps and be reclaimed.
  if (!state_->joined) {
    pthread_join(state_->thread, nullptr);
    state_->joined = true;
  }
  return WaitResult::Signalled;
}

struct Event::State {
  std::mutex mutex;
  std::condition_variable set;
  bool isSet = false;
};

Event::Event() = default;
Event::~Event() = default;
Event::Event(Event&& other) noexcept = default;
Event& Event::operator=(Event&& other) noexcept = default;

uint32_t Event::Create(const Text& name) {
  state_.reset();
  if (!name.empty()) return ENOSYS;
  state_.reset(new State);
  return 0;
}

uint32_t Event::Open(const Text&) {
  state_.reset();
  return ENOSYS;
}

bool Event::IsValid() const { return state_ != nullptr; }

uint32_t Event::Set() {
  if (!state_) return EBADF;
  // Notified under the lock: a waiter that owns the event may destroy it as soon as it wakes,
  // and it cannot wake before the lock is given back.
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->isSet = true;
  state_->set.notify_all();
  return 0;
}

WaitResult Event::Wait(uint32_t milliseconds) const {
  if (!state_) return WaitResult::Failed;
  std::unique_lock<std::mutex> lock(state_->mutex);
  bool set = WaitUntil(state_->set, lock, milliseconds, [&] { return state_->isSet; });
  return set ? WaitResult::Signalled : WaitResult::TimedOut;
}

}  // namespace os

// The POSIX threads and events: the VM thread's run and wait, detached threads, owned threads
// with a published ID, exit codes, and manual-reset events with time-outs.
#include "platform/threads.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <pthread.h>

#include <chrono>
#include <climits>

namespace {

using Clock = std::chrono::steady_clock;

// Long enough for a loaded machine to start a thread; a test that passes never waits it out.
constexpr uint32_t kPatience = 10000;

long ElapsedMilliseconds(Clock::time_point since) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

// What a routine saw of itself and what it hands back; `gate`, when made, holds it until set.
struct Probe {
  os::Event gate;
  uint32_t* publishedId = nullptr;
  uint32_t idSeenAtStart = 0;
  uint32_t ownId = 0;
  size_t stackSize = 0;
  int result = 0;
  os::Event done;
};

int ProbeRoutine(void* argument) {
  Probe& probe = *static_cast<Probe*>(argument);
  probe.ownId = os::CurrentThreadId();
  if (probe.publishedId) probe.idSeenAtStart = *probe.publishedId;
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
    pthread_attr_getstacksize(&attributes, &probe.stackSize);
    pthread_attr_destroy(&attributes);
  }
  if (probe.gate.IsValid()) probe.gate.Wait(os::kWaitForever);
  // The probe may be gone once `done` is set.
  int result = probe.result;
  if (probe.done.IsValid()) probe.done.Set();
  return result;
}

struct StackCase {
  const char* name;
  uint32_t requested;
};

class RunThreadAndWaitTest : public testing::TestWithParam<StackCase> {};

TEST_P(RunThreadAndWaitTest, RunsOnAThreadOfItsOwnWithAtLeastTheStackAskedFor) {
  Probe probe;
  probe.result = 42;
  int exitCode = 0;
  ASSERT_EQ(os::RunThreadAndWait(ProbeRoutine, &probe, GetParam().requested, exitCode), 0u);
  EXPECT_EQ(exitCode, 42);
  EXPECT_NE(probe.ownId, os::CurrentThreadId());
  EXPECT_GE(probe.stackSize, GetParam().requested);
}

INSTANTIATE_TEST_SUITE_P(Stacks, RunThreadAndWaitTest,
                         testing::Values(StackCase{"default", 0},
                                         StackCase{"below_the_system_minimum", 1},
                                         StackCase{"not_a_whole_page", 300 * 1024 + 1},
                                         StackCase{"eight_megabytes", 8u << 20}),
                         [](const testing::TestParamInfo<StackCase>& info) {
                           return info.param.name;
                         });

TEST(StartDetachedThreadTest, RunsTheRoutineOnAnotherThread) {
  Probe probe;
  ASSERT_EQ(probe.done.Create(), 0u);
  ASSERT_EQ(os::StartDetachedThread(ProbeRoutine, &probe), 0u);
  ASSERT_EQ(probe.done.Wait(kPatience), os::WaitResult::Signalled);
  EXPECT_NE(probe.ownId, 0u);
  EXPECT_NE(probe.ownId, os::CurrentThreadId());
}

TEST(ThreadTest, PublishesItsIdBeforeTheRoutineRunsAndBeforeStartReturns) {
  Probe probe;
  ASSERT_EQ(probe.gate.Create(), 0u);
  uint32_t published = 0;
  probe.publishedId = &published;
  os::Thread thread;
  ASSERT_EQ(thread.Start(ProbeRoutine, &probe, &published), 0u);
  EXPECT_NE(published, 0u);
  EXPECT_NE(published, os::CurrentThreadId());
  probe.gate.Set();
  ASSERT_EQ(thread.Wait(kPatience), os::WaitResult::Signalled);
  EXPECT_EQ(probe.idSeenAtStart, published);
  EXPECT_EQ(probe.ownId, published);
}

TEST(ThreadTest, RunsUntilItsRoutineReturnsThenReportsItsResult) {
  Probe probe;
  ASSERT_EQ(probe.gate.Create(), 0u);
  probe.result = 17;
  os::Thread thread;
  ASSERT_EQ(thread.Start(ProbeRoutine, &probe, nullptr), 0u);
  int exitCode = -5;
  EXPECT_TRUE(thread.IsRunning());
  EXPECT_FALSE(thread.ExitCode(exitCode));
  EXPECT_EQ(exitCode, -5);
  Clock::time_point before = Clock::now();
  EXPECT_EQ(thread.Wait(30), os::WaitResult::TimedOut);
  EXPECT_GE(ElapsedMilliseconds(before), 30);
  EXPECT_TRUE(thread.IsRunning());
  probe.gate.Set();
  ASSERT_EQ(thread.Wait(os::kWaitForever), os::WaitResult::Signalled);
  EXPECT_FALSE(thread.IsRunning());
  ASSERT_TRUE(thread.ExitCode(exitCode));
  EXPECT_EQ(exitCode, 17);
  // A second wait on an ended thread is answered at once.
  EXPECT_EQ(thread.Wait(0), os::WaitResult::Signalled);
}

struct ExitCase {
  const char* name;
  int result;
};

class ThreadExitCodeTest : public testing::TestWithParam<ExitCase> {};

TEST_P(ThreadExitCodeTest, IsWhatTheRoutineReturned) {
  Probe probe;
  probe.result = GetParam().result;
  os::Thread thread;
  ASSERT_EQ(thread.Start(ProbeRoutine, &probe, nullptr), 0u);
  ASSERT_EQ(thread.Wait(kPatience), os::WaitResult::Signalled);
  int exitCode = 0x5A5A;
  ASSERT_TRUE(thread.ExitCode(exitCode));
  EXPECT_EQ(exitCode, GetParam().result);
  EXPECT_FALSE(thread.IsRunning());
}

INSTANTIATE_TEST_SUITE_P(Results, ThreadExitCodeTest,
                         testing::Values(ExitCase{"zero", 0}, ExitCase{"minus_one", -1},
                                         ExitCase{"windows_still_active_value", 259},
                                         ExitCase{"largest", INT_MAX},
                                         ExitCase{"smallest", INT_MIN}),
                         [](const testing::TestParamInfo<ExitCase>& info) {
                           return info.param.name;
                         });

TEST(ThreadTest, WithoutAThreadNothingRunsAndThereIsNothingToWaitFor) {
  os::Thread never;
  os::Thread movedFrom;
  Probe probe;
  ASSERT_EQ(movedFrom.Start(ProbeRoutine, &probe, nullptr), 0u);
  os::Thread movedTo(std::move(movedFrom));
  int exitCode = 0;
  for (os::Thread* empty : {&never, &movedFrom}) {
    EXPECT_FALSE(empty->IsRunning());
    EXPECT_FALSE(empty->ExitCode(exitCode));
    EXPECT_EQ(empty->Wait(0), os::WaitResult::Failed);
  }
  EXPECT_EQ(movedTo.Wait(kPatience), os::WaitResult::Signalled);
}

TEST(ThreadTest, GoesOnAfterItsOwnerIsGone) {
  Probe probe;
  ASSERT_EQ(probe.gate.Create(), 0u);
  ASSERT_EQ(probe.done.Create(), 0u);
  {
    os::Thread thread;
    ASSERT_EQ(thread.Start(ProbeRoutine, &probe, nullptr), 0u);
  }
  probe.gate.Set();
  EXPECT_EQ(probe.done.Wait(kPatience), os::WaitResult::Signalled);
}

TEST(EventTest, ANewEventTimesOutAfterTheTimeGiven) {
  os::Event event;
  ASSERT_EQ(event.Create(), 0u);
  EXPECT_TRUE(event.IsValid());
  Clock::time_point before = Clock::now();
  EXPECT_EQ(event.Wait(30), os::WaitResult::TimedOut);
  EXPECT_GE(ElapsedMilliseconds(before), 30);
  EXPECT_EQ(event.Wait(0), os::WaitResult::TimedOut);
}

TEST(EventTest, StaysSetForEveryLaterWait) {
  os::Event event;
  ASSERT_EQ(event.Create(), 0u);
  ASSERT_EQ(event.Set(), 0u);
  EXPECT_EQ(event.Wait(0), os::WaitResult::Signalled);
  EXPECT_EQ(event.Wait(os::kWaitForever), os::WaitResult::Signalled);
}

int WaitForEvent(void* argument) {
  return static_cast<os::Event*>(argument)->Wait(os::kWaitForever) == os::WaitResult::Signalled;
}

TEST(EventTest, SetReleasesAThreadWaitingWithoutTimeOut) {
  os::Event event;
  ASSERT_EQ(event.Create(), 0u);
  os::Thread waiter;
  ASSERT_EQ(waiter.Start(WaitForEvent, &event, nullptr), 0u);
  os::SleepMilliseconds(20);
  EXPECT_TRUE(waiter.IsRunning());
  ASSERT_EQ(event.Set(), 0u);
  ASSERT_EQ(waiter.Wait(kPatience), os::WaitResult::Signalled);
  int released = 0;
  ASSERT_TRUE(waiter.ExitCode(released));
  EXPECT_EQ(released, 1);
}

TEST(EventTest, NamedEventsAreWindowsOnly) {
  os::Event event;
  EXPECT_EQ(event.Create(u"Local\\launcher-test"), static_cast<uint32_t>(ENOSYS));
  EXPECT_FALSE(event.IsValid());
  EXPECT_EQ(event.Open(u"Local\\launcher-test"), static_cast<uint32_t>(ENOSYS));
  EXPECT_FALSE(event.IsValid());
}

TEST(EventTest, WithoutAnEventSetFailsAndThereIsNothingToWaitFor) {
  os::Event never;
  os::Event movedFrom;
  ASSERT_EQ(movedFrom.Create(), 0u);
  os::Event movedTo(std::move(movedFrom));
  for (os::Event* empty : {&never, &movedFrom}) {
    EXPECT_FALSE(empty->IsValid());
    EXPECT_NE(empty->Set(), 0u);
    EXPECT_EQ(empty->Wait(0), os::WaitResult::Failed);
  }
  EXPECT_EQ(movedTo.Set(), 0u);
  EXPECT_EQ(movedTo.Wait(0), os::WaitResult::Signalled);
}

TEST(SleepMillisecondsTest, SleepsAtLeastThatLong) {
  Clock::time_point before = Clock::now();
  os::SleepMilliseconds(25);
  EXPECT_GE(ElapsedMilliseconds(before), 25);
}

}  // namespace

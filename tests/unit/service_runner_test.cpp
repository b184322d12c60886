// The service runner: the run with the start words, stop threads, and the VM's exit told to the
// host.
#include "service/service_runner.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/threads.h"
#include "service/service_host.h"

namespace {

constexpr uint32_t kPatience = 10000;

class FakeApplication : public ServiceApplication {
 public:
  int Run(const TextList& startWords) override {
    words = startWords;
    ++runs;
    return result;
  }
  bool RequestStop() override {
    stopThread = os::CurrentThreadId();
    if (++stops >= stopsAwaited) allStopped = true;
    return true;
  }

  TextList words;
  int runs = 0;
  int result = 0;
  std::atomic<int> stops{0};
  int stopsAwaited = 1;
  std::atomic<bool> allStopped{false};
  std::atomic<uint32_t> stopThread{0};
};

// Stop threads are neither waited for nor kept, so the fake's count is polled.
bool AwaitStops(FakeApplication& application) {
  for (uint32_t waited = 0; waited < kPatience; waited += 5) {
    if (application.allStopped) return true;
    os::SleepMilliseconds(5);
  }
  return false;
}

TEST(ServiceRunnerTest, RegistersItselfWhileItLives) {
  EXPECT_EQ(ServiceRunner::Instance(), nullptr);
  {
    ServiceRunner runner;
    EXPECT_EQ(ServiceRunner::Instance(), &runner);
  }
  EXPECT_EQ(ServiceRunner::Instance(), nullptr);
}

TEST(ServiceRunnerTest, RunHandsTheStartWordsToTheApplicationAndReturnsItsResult) {
  FakeApplication application;
  application.result = -1;
  ServiceRunner runner;
  runner.application = &application;
  EXPECT_EQ(runner.Run({u"svc", u"s1", u"s2"}), -1);
  EXPECT_EQ(application.words, (TextList{u"svc", u"s1", u"s2"}));
  runner.omitServiceName = true;
  application.result = 0;
  EXPECT_EQ(runner.Run({u"svc", u"s1"}), 0);
  EXPECT_EQ(application.words, (TextList{u"s1"}));
  EXPECT_EQ(application.runs, 2);
}

TEST(ServiceRunnerTest, StopRunsOnAThreadOfItsOwn) {
  FakeApplication application;
  ServiceRunner runner;
  runner.application = &application;
  runner.RequestStop();
  ASSERT_TRUE(AwaitStops(application));
  EXPECT_NE(application.stopThread.load(), os::CurrentThreadId());
}

TEST(ServiceRunnerTest, ExitWithZeroReportsStoppedAndAnyOtherCodeNothing) {
  ServiceRunner runner;
  ServiceHost host(runner);
  runner.host = &host;
  runner.OnAbort();
  EXPECT_FALSE(runner.VmIsEnding());
  runner.OnExit(1);
  EXPECT_TRUE(runner.VmIsEnding());
  EXPECT_EQ(host.Status().currentState, 0u);
  runner.OnExit(0);
  EXPECT_EQ(host.Status().currentState, kServiceStopped);
  EXPECT_EQ(host.Status().win32ExitCode, 0u);
}

TEST(ServiceRunnerTest, ExitWithoutAHostTellsNobody) {
  ServiceRunner runner;
  runner.OnExit(0);
  EXPECT_TRUE(runner.VmIsEnding());
}

}  // namespace

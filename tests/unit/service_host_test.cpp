// The service host's control handler on this build, whose reports always go through: which
// controls start stop threads and what the record says afterwards. Shutdown cannot be sent
// under Wine, so this is where it is seen to stop the program.
#include "service/service_host.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/threads.h"

namespace {

constexpr uint32_t kPatience = 10000;

class CountingApplication : public ServiceApplication {
 public:
  int Run(const TextList&) override { return 0; }
  bool RequestStop() override {
    ++stops;
    return true;
  }
  std::atomic<int> stops{0};
};

// Stop threads are neither waited for nor kept: poll for the count, then give a stray one time.
int StopsAfterSettling(CountingApplication& application, int expected) {
  for (uint32_t waited = 0; waited < kPatience && application.stops < expected; waited += 5) {
    os::SleepMilliseconds(5);
  }
  os::SleepMilliseconds(50);
  return application.stops;
}

class ServiceHostTest : public testing::Test {
 protected:
  void SetUp() override {
    runner.application = &application;
    runner.host = &host;
  }

  CountingApplication application;
  ServiceRunner runner;
  ServiceHost host{runner};
};

TEST_F(ServiceHostTest, RegistersItselfWhileItLives) {
  EXPECT_EQ(ServiceHost::Instance(), &host);
  {
    ServiceRunner otherRunner;
    ServiceHost other(otherRunner);
    EXPECT_EQ(ServiceHost::Instance(), &other);
  }
  EXPECT_EQ(ServiceHost::Instance(), nullptr);
}

TEST_F(ServiceHostTest, StopAndShutdownEachStartOneStopThread) {
  host.ControlHandler(kServiceControlStop);
  ServiceStatusRecord pending = host.Status();
  EXPECT_EQ(pending.currentState, kServiceStopPending);
  EXPECT_EQ(pending.waitHint, 3000u);
  EXPECT_EQ(pending.checkPoint, 0u);
  EXPECT_EQ(StopsAfterSettling(application, 1), 1);
  host.ControlHandler(kServiceControlShutdown);
  EXPECT_EQ(StopsAfterSettling(application, 2), 2);
  EXPECT_EQ(host.Status(), pending);
}

TEST_F(ServiceHostTest, OtherControlsStartNoStopThreadAndChangeNothing) {
  ServiceStatusRecord before = host.Status();
  host.ControlHandler(kServiceControlInterrogate);
  host.ControlHandler(128);
  EXPECT_EQ(StopsAfterSettling(application, 0), 0);
  EXPECT_EQ(host.Status(), before);
}

TEST_F(ServiceHostTest, NoStopAfterTheStoppedReport) {
  EXPECT_EQ(host.ReportStopped(), 0);
  host.ControlHandler(kServiceControlStop);
  EXPECT_EQ(StopsAfterSettling(application, 0), 0);
  EXPECT_EQ(host.Status().currentState, kServiceStopped);
}

}  // namespace

// The service status rules: the running record, what each control does to the record, the
// stopped report after the run phase, and the words a start adds to the arguments.
#include "service/service_state.h"

#include <gtest/gtest.h>

namespace {

ServiceStatusRecord Record(uint32_t state, uint32_t win32ExitCode = 0, uint32_t specific = 0,
                           uint32_t checkPoint = 0, uint32_t waitHint = 0) {
  ServiceStatusRecord status;
  status.serviceType = kServiceWin32OwnProcess;
  status.currentState = state;
  status.controlsAccepted = kServiceAcceptStop | kServiceAcceptShutdown;
  status.win32ExitCode = win32ExitCode;
  status.serviceSpecificExitCode = specific;
  status.checkPoint = checkPoint;
  status.waitHint = waitHint;
  return status;
}

TEST(ServiceStateTest, RecordStartsAllZero) {
  ServiceStatusRecord zero;
  zero.serviceType = zero.currentState = zero.controlsAccepted = zero.win32ExitCode =
      zero.serviceSpecificExitCode = zero.checkPoint = zero.waitHint = 0;
  EXPECT_EQ(ServiceStatusRecord(), zero);
}

TEST(ServiceStateTest, RunningIsOwnProcessAcceptingStopAndShutdownWithEverythingElseZero) {
  ServiceStatusRecord status = Record(kServiceStopPending, 5, 6, 7, 8);
  MarkRunning(status);
  EXPECT_EQ(status.serviceType, 0x10u);
  EXPECT_EQ(status.currentState, 4u);
  EXPECT_EQ(status.controlsAccepted, 5u);
  EXPECT_EQ(status, Record(kServiceRunning));
}

struct ControlCase {
  const char* name;
  uint32_t control;
  ServiceStatusRecord before;
  ServiceStatusRecord after;
  ControlAction action;
};

class ApplyControlTest : public testing::TestWithParam<ControlCase> {};

TEST_P(ApplyControlTest, ChangesTheRecordAndSaysWhetherToStop) {
  ServiceStatusRecord status = GetParam().before;
  EXPECT_EQ(ApplyControl(GetParam().control, status), GetParam().action);
  EXPECT_EQ(status, GetParam().after);
}

const ServiceStatusRecord kRunning = Record(kServiceRunning);
const ServiceStatusRecord kStopPending = Record(kServiceStopPending, 0, 0, 0, 3000);

INSTANTIATE_TEST_SUITE_P(
    Cases, ApplyControlTest,
    testing::Values(
        ControlCase{"stop_makes_stop_pending_with_hint_3000", kServiceControlStop, kRunning,
                    kStopPending, ControlAction::ReportThenRequestStop},
        // Shutdown cannot be sent under Wine; it is the same as a stop.
        ControlCase{"shutdown_is_a_stop", kServiceControlShutdown, kRunning, kStopPending,
                    ControlAction::ReportThenRequestStop},
        ControlCase{"stop_clears_exit_code_and_check_point", kServiceControlStop,
                    Record(kServiceRunning, 9, 0, 4, 0), kStopPending,
                    ControlAction::ReportThenRequestStop},
        ControlCase{"second_stop_while_pending_stops_again", kServiceControlStop, kStopPending,
                    kStopPending, ControlAction::ReportThenRequestStop},
        ControlCase{"shutdown_while_pending_stops_again", kServiceControlShutdown, kStopPending,
                    kStopPending, ControlAction::ReportThenRequestStop},
        ControlCase{"interrogate_leaves_running", kServiceControlInterrogate, kRunning, kRunning,
                    ControlAction::Report},
        ControlCase{"interrogate_leaves_stop_pending", kServiceControlInterrogate, kStopPending,
                    kStopPending, ControlAction::Report},
        ControlCase{"pause_is_any_other_control", 2, kRunning, kRunning, ControlAction::Report},
        ControlCase{"user_control_is_any_other_control", 128, kRunning, kRunning,
                    ControlAction::Report},
        ControlCase{"stop_after_stopped_changes_nothing", kServiceControlStop,
                    Record(kServiceStopped, 1066, 0xFFFFFFFF),
                    Record(kServiceStopped, 1066, 0xFFFFFFFF), ControlAction::Report}),
    [](const testing::TestParamInfo<ControlCase>& info) { return info.param.name; });

struct StoppedCase {
  const char* name;
  ServiceStatusRecord before;
  int runResult;
  ServiceStatusRecord after;
};

class MarkStoppedTest : public testing::TestWithParam<StoppedCase> {};

TEST_P(MarkStoppedTest, FailedRunIsTheServicesOwnError) {
  ServiceStatusRecord status = GetParam().before;
  MarkStopped(status, GetParam().runResult);
  EXPECT_EQ(status, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarkStoppedTest,
    testing::Values(
        StoppedCase{"normal_end_keeps_zero", kRunning, 0, Record(kServiceStopped)},
        StoppedCase{"normal_end_while_pending_keeps_the_hint", kStopPending, 0,
                    Record(kServiceStopped, 0, 0, 0, 3000)},
        StoppedCase{"failed_run_reports_1066_and_minus_one", kRunning, -1,
                    Record(kServiceStopped, 1066, 0xFFFFFFFF)},
        StoppedCase{"other_failure_codes_pass_through", kRunning, 3,
                    Record(kServiceStopped, 1066, 3)}),
    [](const testing::TestParamInfo<StoppedCase>& info) { return info.param.name; });

struct WordsCase {
  const char* name;
  TextList serviceArguments;
  bool omitServiceName;
  TextList words;
};

class ServiceStartWordsTest : public testing::TestWithParam<WordsCase> {};

TEST_P(ServiceStartWordsTest, NameThenStartParameters) {
  EXPECT_EQ(ServiceStartWords(GetParam().serviceArguments, GetParam().omitServiceName),
            GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServiceStartWordsTest,
    testing::Values(
        WordsCase{"no_words_add_nothing", {}, false, {}},
        WordsCase{"no_words_omitted_add_nothing", {}, true, {}},
        WordsCase{"name_alone", {u"svc"}, false, {u"svc"}},
        WordsCase{"name_alone_omitted", {u"svc"}, true, {}},
        WordsCase{"name_then_parameters", {u"svc", u"s1", u"", u"s 3"}, false,
                  {u"svc", u"s1", u"", u"s 3"}},
        WordsCase{"parameters_without_the_name", {u"svc", u"s1", u"s2"}, true, {u"s1", u"s2"}}),
    [](const testing::TestParamInfo<WordsCase>& info) { return info.param.name; });

}  // namespace

// The service's status record and the rules that change it.
#include "service/service_state.h"

bool operator==(const ServiceStatusRecord& a, const ServiceStatusRecord& b) {
  return a.serviceType == b.serviceType && a.currentState == b.currentState &&
         a.controlsAccepted == b.controlsAccepted && a.win32ExitCode == b.win32ExitCode &&
         a.serviceSpecificExitCode == b.serviceSpecificExitCode && a.checkPoint == b.checkPoint &&
         a.waitHint == b.waitHint;
}

void MarkRunning(ServiceStatusRecord& status) {
  status = ServiceStatusRecord();
  status.serviceType = kServiceWin32OwnProcess;
  status.currentState = kServiceRunning;
  status.controlsAccepted = kServiceAcceptStop | kServiceAcceptShutdown;
}

ControlAction ApplyControl(uint32_t control, ServiceStatusRecord& status) {
  bool stopKind = control == kServiceControlStop || control == kServiceControlShutdown;
  // A control already on its way when the stopped report went out must not make the service
  // look alive again.
  if (!stopKind || status.currentState == kServiceStopped) return ControlAction::Report;
  status.win32ExitCode = 0;
  status.checkPoint = 0;
  status.currentState = kServiceStopPending;
  status.waitHint = kStopWaitHintMilliseconds;
  return ControlAction::ReportThenRequestStop;
}

void MarkStopped(ServiceStatusRecord& status, int runResult) {
  status.currentState = kServiceStopped;
  if (runResult == 0) return;
  status.win32ExitCode = kErrorServiceSpecificError;
  status.serviceSpecificExitCode = static_cast<uint32_t>(runResult);
}

TextList ServiceStartWords(const TextList& serviceArguments, bool omitServiceName) {
  TextList words;
  for (size_t i = 0; i < serviceArguments.size(); ++i) {
    if (i == 0 && omitServiceName) continue;
    words.push_back(serviceArguments[i]);
  }
  return words;
}

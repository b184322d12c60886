// The service's status record and the rules that change it: the running report, what a
// control does, the stopped report after the run phase, and the words a start adds to the
// Java program's arguments. Pure rules, the same on every build.
#pragma once

#include <cstdint>

#include "core/text.h"

// The values the service control manager knows these by (winsvc.h, winerror.h).
constexpr uint32_t kServiceWin32OwnProcess = 0x10;
constexpr uint32_t kServiceStopped = 1;
constexpr uint32_t kServiceStopPending = 3;
constexpr uint32_t kServiceRunning = 4;
constexpr uint32_t kServiceAcceptStop = 0x1;
constexpr uint32_t kServiceAcceptShutdown = 0x4;
constexpr uint32_t kServiceControlStop = 1;
constexpr uint32_t kServiceControlInterrogate = 4;
constexpr uint32_t kServiceControlShutdown = 5;
constexpr uint32_t kErrorServiceSpecificError = 1066;
// How long the manager is told a stop may take; never advanced by check points.
constexpr uint32_t kStopWaitHintMilliseconds = 3000;

// The seven fields of SERVICE_STATUS, in its order; all zero until the service runs.
struct ServiceStatusRecord {
  uint32_t serviceType = 0;
  uint32_t currentState = 0;
  uint32_t controlsAccepted = 0;
  uint32_t win32ExitCode = 0;
  uint32_t serviceSpecificExitCode = 0;
  uint32_t checkPoint = 0;
  uint32_t waitHint = 0;
};

bool operator==(const ServiceStatusRecord& a, const ServiceStatusRecord& b);

// The whole record of a service that runs and accepts stop and shutdown. There is no
// start-pending phase: the service is running before the Java VM exists.
void MarkRunning(ServiceStatusRecord& status);

// What the control handler does after a control has changed the record: the record is always
// reported; a stop is requested only when that report went through.
enum class ControlAction { Report, ReportThenRequestStop };

// Stop and shutdown make the service stop pending (and ask the Java program to stop, again
// for every further one); every other control leaves the record as it is. A service already
// reported stopped has nothing left to stop.
ControlAction ApplyControl(uint32_t control, ServiceStatusRecord& status);

// The run phase has returned `runResult`. A run that failed is reported as the service's own
// error with the result as its code (-1 as 0xFFFFFFFF), so that recovery actions see it; a run
// that ended normally keeps the codes as they stand.
void MarkStopped(ServiceStatusRecord& status, int runResult);

// The words a service start adds to the Java program's arguments: the service name (the first
// of the manager's words) unless it is to be omitted, then the start parameters.
TextList ServiceStartWords(const TextList& serviceArguments, bool omitServiceName);

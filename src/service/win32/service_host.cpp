// The service host's connection to the Windows service control manager.
#include "service/service_host.h"

#include "platform/win32/advapi32.h"

namespace {

static_assert(kServiceWin32OwnProcess == SERVICE_WIN32_OWN_PROCESS, "service type");
static_assert(kServiceStopped == SERVICE_STOPPED && kServiceStopPending == SERVICE_STOP_PENDING &&
                  kServiceRunning == SERVICE_RUNNING,
              "service states");
static_assert(kServiceAcceptStop == SERVICE_ACCEPT_STOP &&
                  kServiceAcceptShutdown == SERVICE_ACCEPT_SHUTDOWN,
              "accepted controls");
static_assert(kServiceControlStop == SERVICE_CONTROL_STOP &&
                  kServiceControlInterrogate == SERVICE_CONTROL_INTERROGATE &&
                  kServiceControlShutdown == SERVICE_CONTROL_SHUTDOWN,
              "controls");
static_assert(kErrorServiceSpecificError == ERROR_SERVICE_SPECIFIC_ERROR, "service error");

// The manager's callbacks carry no context; they find the host through its process-wide pointer.
void WINAPI ServiceMainCallback(DWORD argc, LPWSTR* argv) {
  ServiceHost* host = ServiceHost::Instance();
  if (!host) return;
  TextList serviceArguments;
  for (DWORD i = 0; i < argc; ++i) serviceArguments.push_back(FromWide(argv[i]));
  host->ServiceMain(serviceArguments);
}

void WINAPI ControlHandlerCallback(DWORD control) {
  if (ServiceHost* host = ServiceHost::Instance()) host->ControlHandler(control);
}

}  // namespace

// One service in its own process: its name in the table is empty, as the manager ignores it.
int ServiceHost::RunDispatcher() {
  wchar_t name[] = L"";
  SERVICE_TABLE_ENTRYW table[] = {{name, ServiceMainCallback}, {nullptr, nullptr}};
  const os::Advapi32* api = os::Advapi();
  if (!api) return static_cast<int>(GetLastError());
  return api->StartServiceCtrlDispatcherW(table) ? 0 : static_cast<int>(GetLastError());
}

bool ServiceHost::RegisterControlHandler() {
  // The dispatcher ran, so the service functions are bound.
  SERVICE_STATUS_HANDLE handle =
      os::Advapi()->RegisterServiceCtrlHandlerW(L"", ControlHandlerCallback);
  statusHandle_ = reinterpret_cast<void*>(handle);
  return handle != nullptr;
}

uint32_t ServiceHost::ReportStatus() {
  SERVICE_STATUS status = {status_.serviceType,   status_.currentState,
                           status_.controlsAccepted, status_.win32ExitCode,
                           status_.serviceSpecificExitCode, status_.checkPoint,
                           status_.waitHint};
  auto handle = reinterpret_cast<SERVICE_STATUS_HANDLE>(statusHandle_);
  return os::Advapi()->SetServiceStatus(handle, &status) ? 0 : GetLastError();
}

// The service control manager's stop reaches the control handler whatever the VM does.
void ServiceHost::OnVmCreated() {}

// The host build has no dialogs: when no runtime is found, its message is the report.
#include "launcher/messages.h"
#include "runtime/runtime_not_found.h"

bool AskForRuntime(const LauncherSettings&, const SearchPolicy& policy, RuntimeChoice&) {
  ReportError(RuntimeNotFoundMessage(policy));
  return false;
}

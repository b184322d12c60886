// The executable's own path, with its failure reported where it is found.
#include "launcher/module_path.h"

#include "launcher/messages.h"
#include "platform/process.h"

bool GetModulePath(Text& path) {
  uint32_t error = os::ModuleFileName(path);
  if (error == 0) return true;
  ReportFormattedError(LoadMessage(kMsgWindowsException),
                       {LoadMessage(kMsgModulePathUnavailable), error});
  return false;
}

// Win32 side of the memory figures.
#include "platform/memory.h"

#include "platform/win32/win32_api.h"

namespace os {

MemoryFigures CurrentMemoryFigures() {
  MEMORYSTATUS status = {};
  status.dwLength = sizeof(status);
  GlobalMemoryStatus(&status);
  return {status.dwTotalPhys, status.dwAvailVirtual};
}

}  // namespace os

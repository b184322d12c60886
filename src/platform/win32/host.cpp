// Win32 side of the host rules.
#include "platform/host.h"

namespace os {

const HostRules& Host() { return kWindowsHost; }

}  // namespace os

// POSIX side of the host rules.
#include "platform/host.h"

namespace os {

const HostRules& Host() { return kPosixHost; }

}  // namespace os

// The rules of the host this build runs on (Windows or POSIX).
#pragma once

#include "core/host_rules.h"

namespace os {

const HostRules& Host();

}  // namespace os

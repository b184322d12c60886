// The service host is not part of this build yet: service mode fails as the host failing to
// initialise does.
#include "service/service_host.h"

int RunAsService() { return -1; }

// Steps of the launch whose subsystems are not built yet. Each reports failure, so that every
// phase runs up to the first missing step; each moves to its subsystem when it is built.
#include "launcher/launcher.h"

bool Launcher::CheckSingleInstance() { return true; }
// The uncaught-exception report comes with the dialogs; until then the program goes on.
int Launcher::ReportUncaughtException(const Text&) { return 0; }

// Steps of the launch whose subsystems are not built yet. Each reports failure, so that every
// phase runs up to the first missing step; each moves to its subsystem when it is built.
#include "launcher/launcher.h"

bool Launcher::CheckSingleInstance() { return true; }
void Launcher::PrepareRuntimeEnvironment() {}
bool Launcher::BindRuntimeLibrary(const Text&) { return false; }
bool Launcher::AssembleVmOptions() { return false; }
void Launcher::AddVmParameter(Text, TextList&) {}
int Launcher::RunVmThread() { return 1; }
bool Launcher::CreateJavaVm() { return false; }
int Launcher::DefaultJavaStackSize() { return 0; }
void Launcher::DestroyJavaVm() {}
jclass Launcher::LoadMainClass() { return nullptr; }
bool Launcher::InvokeMainClass() { return false; }
void Launcher::RedirectStandardStreams() {}
bool Launcher::RedirectStream(const Text&, bool, const char*) { return false; }

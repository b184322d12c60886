// Running the launch as a Windows service.
#pragma once

// Hands the main thread to the service control dispatcher; returns the process exit code.
int RunAsService();

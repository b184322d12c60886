// Where the settings files live: beside the executable, per user, and the companion's.
#pragma once

#include "core/text.h"

// The executable path up to and including its last dot, then "ini"; false without a dot.
// Where executables carry no extension, ".ini" is appended to a file name without a dot.
bool SettingsPathFor(const Text& executablePath, bool executablesHaveExtensions, Text& path);
// The product name without the characters a folder name cannot hold.
Text CleanProductName(const Text& productName);

class Launcher;

bool SettingsFilePath(Text& path);
// %APPDATA%\<cleaned product name>\<product code>\<executable name without extension>.ini
Text UserSettingsFilePath(const Launcher& launcher, const Text& executablePath,
                          bool createFolders);
bool PairSettingsFilePath(const Launcher& launcher, Text& path);
Text PairUserSettingsFilePath(const Launcher& launcher);

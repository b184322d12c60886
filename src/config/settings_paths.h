// Where the settings files live: beside the executable, per user, and the companion's.
#pragma once

#include "config/launcher_settings.h"
#include "core/text.h"

// The executable path up to and including its last dot, then "ini"; false without a dot.
// Where executables carry no extension, ".ini" is appended to a file name without a dot.
bool SettingsPathFor(const Text& executablePath, bool executablesHaveExtensions, Text& path);
// The product name without the characters a folder name cannot hold.
Text CleanProductName(const Text& productName);

bool SettingsFilePath(Text& path);
// %APPDATA%\<cleaned product name>\<product code>\<executable name without extension>.ini
Text UserSettingsFilePath(const LauncherSettings& settings, const Text& executablePath,
                          bool createFolders);
// The companion launcher's settings files, which a picked runtime folder is written to as well.
bool PairSettingsFilePath(const LauncherSettings& settings, Text& path);
Text PairUserSettingsFilePath(const LauncherSettings& settings);

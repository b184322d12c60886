// The launcher's settings as the prepare phase reads them: the product identity, the Java
// program, the runtime folders and the launcher's modes.
#pragma once

#include "config/settings_sources.h"
#include "core/text.h"

struct LauncherSettings {
  Text productName;
  Text productCode;
  Text upgradeCode;
  Text mainClassName;  // in slash form
  bool serviceMode = false;
  bool omitServiceName = false;
  Text jrePath;
  Text libraryPath;
  Text systemPath;
  Text pairProduct;
  bool pairReturnCode = false;
  bool failureCheck = false;
  bool overrideWorkingDir = false;
  bool singleInstance = false;  // exactly "yes"
};

// The settings file at `path` layered over the embedded text that its upgrade code unlocks;
// the product identity, which the embedded text is keyed by, comes from the file alone.
LayeredSettings ReadProductAndLayers(const Text& path, LauncherSettings& settings);
// JRE Path: in ordinary mode from the per-user settings file of the executable once that file
// exists, otherwise from the layered settings. An empty path reads the layered settings only.
Text ReadJrePath(const LauncherSettings& read, const SettingsSource& layered,
                 const Text& executablePath);
// Every other setting of the prepare phase; false, with message 210 printed, when the main
// class is missing.
bool ReadLauncherSettings(const SettingsSource& layered, LauncherSettings& settings);

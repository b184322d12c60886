// The single-instance guard: whether this start is the running instance or one that forwards
// its arguments to it.
#pragma once

#include "config/launcher_settings.h"

struct InstanceGuard {
  bool enabled = false;
  bool primary = false;

  // A start that only forwards its arguments to the running instance.
  bool IsSecondary() const { return enabled && !primary; }
};

// Sets the guard up as the settings ask; false when it cannot be set up.
bool CheckSingleInstance(const LauncherSettings& settings, InstanceGuard& guard);

// Embedded settings are not read by this build yet: every value comes from the settings file.
#include "config/embedded_settings.h"

Text GetEmbeddedSettingsText(const Text&) { return Text(); }

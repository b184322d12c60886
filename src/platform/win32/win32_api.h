// The one header of the project that includes <windows.h>; only platform/win32 sources use it.
#pragma once

// The build defines the target Windows (Vista), lean headers and UNICODE for every Windows
// target; a translation unit that sees anything else would compile against a newer API than
// the manifest promises, so it does not compile at all.
#include <windows.h>
#if _WIN32_WINNT != 0x0600 || WINVER != 0x0600
#error "Windows target is not Vista (0x0600): link the windows_target CMake target"
#endif
#if !defined(WIN32_LEAN_AND_MEAN) || !defined(NOMINMAX) || !defined(UNICODE) || !defined(_UNICODE)
#error "WIN32_LEAN_AND_MEAN, NOMINMAX and UNICODE come from the windows_target CMake target"
#endif

#include "core/text.h"

// Text is UTF-16 on every platform; on Windows it goes to the W functions unchanged.
inline const wchar_t* Wide(const Text& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline Text FromWide(const wchar_t* text) { return Text(reinterpret_cast<const char16_t*>(text)); }
inline Text FromWide(const wchar_t* text, size_t length) {
  return Text(reinterpret_cast<const char16_t*>(text), length);
}

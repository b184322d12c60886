// The window, drawing, common-control, shell and COM functions of the dialogs, bound from the
// system folder's DLLs when a dialog first needs them: an ordinary start imports none of these
// DLLs. Each table is bound once, whole, or not at all.
#pragma once

#include "platform/unique_handle.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_api.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

namespace ui {

#define UI_USER32_FUNCTIONS(X)                                                            \
  X(BeginPaint) X(CallWindowProcW) X(CreateWindowExW) X(DefWindowProcW) X(DestroyWindow)  \
  X(DialogBoxParamW) X(DrawFocusRect) X(DrawTextW) X(EnableWindow) X(EndDialog)           \
  X(EndPaint) X(FillRect) X(GetActiveWindow) X(GetCapture) X(GetClassNameW)               \
  X(GetClientRect) X(GetCursorPos) X(GetDC) X(GetDlgItem) X(GetFocus) X(GetMonitorInfoW)  \
  X(GetParent)                                                                            \
  X(GetProcessWindowStation) X(GetSysColor) X(GetUserObjectInformationW) X(GetWindow)     \
  X(GetWindowLongW) X(GetWindowRect) X(GetWindowTextLengthW) X(GetWindowTextW)            \
  X(InvalidateRect) X(IsWindow) X(IsWindowEnabled) X(LoadCursorW) X(MonitorFromWindow)    \
  X(ReleaseCapture) X(ReleaseDC) X(ScreenToClient) X(SendMessageW) X(SetCapture)          \
  X(SetCursor) X(SetDlgItemTextW) X(SetFocus) X(SetWindowLongW) X(SetWindowPos)           \
  X(SystemParametersInfoW) X(UpdateWindow)

#define UI_GDI32_FUNCTIONS(X)                                                             \
  X(CreateFontIndirectW) X(DeleteObject) X(GetObjectW) X(GetStockObject) X(SelectObject)  \
  X(SetBkMode) X(SetTextColor)

#define UI_COMCTL32_FUNCTIONS(X) X(InitCommonControlsEx)

#define UI_SHELL32_FUNCTIONS(X) X(SHBrowseForFolderW) X(SHGetPathFromIDListW) X(ShellExecuteW)

#define UI_OLE32_FUNCTIONS(X) X(CoTaskMemFree) X(OleInitialize) X(OleUninitialize)

#define UI_DECLARE_FUNCTION(name) decltype(&::name) name = nullptr;

struct User32 {
  UI_USER32_FUNCTIONS(UI_DECLARE_FUNCTION)
  // Pointer-sized window fields: SetWindowLongW and GetWindowLongW in the 32-bit user32,
  // which has no ...Ptr exports.
  decltype(&::SetWindowLongPtrW) SetWindowPointer = nullptr;
  decltype(&::GetWindowLongPtrW) GetWindowPointer = nullptr;
};
struct Gdi32 {
  UI_GDI32_FUNCTIONS(UI_DECLARE_FUNCTION)
};
struct Comctl32 {
  UI_COMCTL32_FUNCTIONS(UI_DECLARE_FUNCTION)
};
struct Shell32 {
  UI_SHELL32_FUNCTIONS(UI_DECLARE_FUNCTION)
};
struct Ole32 {
  UI_OLE32_FUNCTIONS(UI_DECLARE_FUNCTION)
};

#undef UI_DECLARE_FUNCTION

// Each is null when its DLL cannot be loaded or lacks one of the functions.
const User32* UserApi();
const Gdi32* GdiApi();
// Also registers the common window classes the first time.
const Comctl32* CommonControlsApi();
const Shell32* ShellApi();
const Ole32* OleApi();

// A font or other GDI object the control created and must delete; only made once the
// drawing functions are bound.
struct GdiObjectTraits : os::NullWhenAbsentTraits<HGDIOBJ> {
  static void Close(Value v) { GdiApi()->DeleteObject(v); }
};
using GdiObject = os::UniqueHandle<GdiObjectTraits>;

// A window's device context, given back to the window when the owner ends.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(UserApi()->GetDC(window)) {}
  ~WindowDc() {
    if (dc_) UserApi()->ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context for a while; the previous one goes back at the end.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(object ? GdiApi()->SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (previous_) GdiApi()->SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace ui

// Binding the dialogs' functions from the system folder's DLLs.
#include "ui/win32/window_api.h"

#include "platform/win32/system_library.h"

namespace ui {

namespace {

os::SystemLibrary user32(L"user32.dll");
os::SystemLibrary gdi32(L"gdi32.dll");
os::SystemLibrary comctl32(L"comctl32.dll");
os::SystemLibrary shell32(L"shell32.dll");
os::SystemLibrary ole32(L"ole32.dll");

#ifdef _WIN64
const char kSetWindowLongPtr[] = "SetWindowLongPtrW";
const char kGetWindowLongPtr[] = "GetWindowLongPtrW";
#else
const char kSetWindowLongPtr[] = "SetWindowLongW";
const char kGetWindowLongPtr[] = "GetWindowLongW";
#endif

template <typename Function>
bool BindOne(os::SystemLibrary& library, const char* name, Function& function) {
  function = library.Find<Function>(name);
  return function != nullptr;
}

#define UI_BIND_FUNCTION(name) bound = BindOne(library, #name, table.name) && bound;

bool Bind(User32& table) {
  os::SystemLibrary& library = user32;
  bool bound = BindOne(library, kSetWindowLongPtr, table.SetWindowPointer) &&
               BindOne(library, kGetWindowLongPtr, table.GetWindowPointer);
  UI_USER32_FUNCTIONS(UI_BIND_FUNCTION)
  return bound;
}

bool Bind(Gdi32& table) {
  os::SystemLibrary& library = gdi32;
  bool bound = true;
  UI_GDI32_FUNCTIONS(UI_BIND_FUNCTION)
  return bound;
}

bool Bind(Comctl32& table) {
  os::SystemLibrary& library = comctl32;
  bool bound = true;
  UI_COMCTL32_FUNCTIONS(UI_BIND_FUNCTION)
  if (!bound) return false;
  // The tooltip class is registered here, whichever version of the DLL was loaded.
  INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_WIN95_CLASSES};
  table.InitCommonControlsEx(&classes);
  return true;
}

bool Bind(Shell32& table) {
  os::SystemLibrary& library = shell32;
  bool bound = true;
  UI_SHELL32_FUNCTIONS(UI_BIND_FUNCTION)
  return bound;
}

bool Bind(Ole32& table) {
  os::SystemLibrary& library = ole32;
  bool bound = true;
  UI_OLE32_FUNCTIONS(UI_BIND_FUNCTION)
  return bound;
}

#undef UI_BIND_FUNCTION

// The table, bound on the first call of any thread.
template <typename Table>
const Table* BoundTable() {
  static Table table;
  static const bool bound = Bind(table);
  return bound ? &table : nullptr;
}

}  // namespace

const User32* UserApi() { return BoundTable<User32>(); }
const Gdi32* GdiApi() { return BoundTable<Gdi32>(); }
const Comctl32* CommonControlsApi() { return BoundTable<Comctl32>(); }
const Shell32* ShellApi() { return BoundTable<Shell32>(); }
const Ole32* OleApi() { return BoundTable<Ole32>(); }

}  // namespace ui

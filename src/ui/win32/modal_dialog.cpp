// Modal dialogs, taken-over controls and the centring of dialogs.
#include "ui/win32/modal_dialog.h"

#include "ui/win32/window_api.h"
#include "ui/window_geometry.h"

namespace ui {

namespace {

// The dialogs being created, across threads: a dialog's first messages arrive before
// DialogBoxParamW could tell its object to anyone.
SRWLOCK creatingLock = SRWLOCK_INIT;
ModalDialog* creatingDialogs = nullptr;

class ExclusiveLock {
 public:
  ExclusiveLock() { AcquireSRWLockExclusive(&creatingLock); }
  ~ExclusiveLock() { ReleaseSRWLockExclusive(&creatingLock); }
  ExclusiveLock(const ExclusiveLock&) = delete;
  ExclusiveLock& operator=(const ExclusiveLock&) = delete;
};

// Messages whose answer a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
  }
}

// A dialog nobody could see would wait for ever: a service or a start without an interactive
// desktop has a window station that is not visible.
bool WindowStationIsVisible(const User32& user) {
  USEROBJECTFLAGS flags = {};
  HWINSTA station = user.GetProcessWindowStation();
  return station && user.GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof(flags),
                                                   nullptr) &&
         (flags.dwFlags & WSF_VISIBLE);
}

ScreenRect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

void MessageHandler::OnWindowReleased(HWND) {}

void MessageHandler::ReleaseWhenDestroyed(HWND window) {
  if (!destroyed_ || messagesInProgress_ > 0) return;
  window_ = nullptr;
  destroyed_ = false;
  OnWindowReleased(window);
}

int ModalDialog::RunModal(HWND owner) {
  const User32* user = UserApi();
  if (!user || !GdiApi() || !WindowStationIsVisible(*user)) return -1;
  creatingThread_ = GetCurrentThreadId();
  {
    ExclusiveLock lock;
    nextCreating_ = creatingDialogs;
    creatingDialogs = this;
  }
  INT_PTR result = user->DialogBoxParamW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(templateId_), owner, StartProcedure, 0);
  // A dialog that failed before its first message is still listed.
  ExclusiveLock lock;
  for (ModalDialog** link = &creatingDialogs; *link; link = &(*link)->nextCreating_) {
    if (*link == this) {
      *link = nextCreating_;
      break;
    }
  }
  return static_cast<int>(result);
}

INT_PTR CALLBACK ModalDialog::StartProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  ModalDialog* dialog = nullptr;
  {
    ExclusiveLock lock;
    DWORD thread = GetCurrentThreadId();
    for (ModalDialog** link = &creatingDialogs; *link; link = &(*link)->nextCreating_) {
      if ((*link)->creatingThread_ == thread) {
        dialog = *link;
        *link = dialog->nextCreating_;
        break;
      }
    }
  }
  if (!dialog) return FALSE;
  const User32& user = *UserApi();
  dialog->window_ = window;
  user.SetWindowPointer(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
  user.SetWindowPointer(window, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(RoutingProcedure));
  return RoutingProcedure(window, message, wParam, lParam);
}

INT_PTR CALLBACK ModalDialog::RoutingProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  auto* dialog =
      reinterpret_cast<ModalDialog*>(UserApi()->GetWindowPointer(window, DWLP_USER));
  return dialog ? dialog->Route(window, message, wParam, lParam) : FALSE;
}

INT_PTR ModalDialog::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++messagesInProgress_;
  LRESULT result = 0;
  bool handled = HandleMessage(window, message, wParam, lParam, result);
  --messagesInProgress_;
  INT_PTR answer = FALSE;
  if (handled && AnswersDirectly(message)) {
    answer = result;
  } else if (handled) {
    if (!destroyed_) UserApi()->SetWindowPointer(window, DWLP_MSGRESULT, result);
    answer = TRUE;
  } else if (message == WM_NCDESTROY) {
    destroyed_ = true;
  }
  ReleaseWhenDestroyed(window);
  return answer;
}

bool SubclassedControl::Attach(HWND control) {
  const User32& user = *UserApi();
  LONG_PTR previousData = user.GetWindowPointer(control, GWLP_USERDATA);
  user.SetWindowPointer(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  LONG_PTR previous = user.SetWindowPointer(control, GWLP_WNDPROC,
                                             reinterpret_cast<LONG_PTR>(RoutingProcedure));
  if (!previous) {
    user.SetWindowPointer(control, GWLP_USERDATA, previousData);
    return false;
  }
  previousProcedure_ = reinterpret_cast<WNDPROC>(previous);
  window_ = control;
  return true;
}

LRESULT CALLBACK SubclassedControl::RoutingProcedure(HWND window, UINT message, WPARAM wParam,
                                                     LPARAM lParam) {
  const User32& user = *UserApi();
  auto* control =
      reinterpret_cast<SubclassedControl*>(user.GetWindowPointer(window, GWLP_USERDATA));
  if (!control) return user.DefWindowProcW(window, message, wParam, lParam);
  return control->Route(window, message, wParam, lParam);
}

LRESULT SubclassedControl::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const User32& user = *UserApi();
  ++messagesInProgress_;
  LRESULT result = 0;
  bool handled = HandleMessage(window, message, wParam, lParam, result);
  --messagesInProgress_;
  WNDPROC previous = previousProcedure_ ? previousProcedure_ : user.DefWindowProcW;
  if (!handled) result = user.CallWindowProcW(previous, window, message, wParam, lParam);
  if (!handled && message == WM_NCDESTROY) {
    // Someone who took the control over after us keeps their procedure.
    auto installed = reinterpret_cast<WNDPROC>(user.GetWindowPointer(window, GWLP_WNDPROC));
    if (previous != user.DefWindowProcW && installed == RoutingProcedure) {
      user.SetWindowPointer(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    destroyed_ = true;
  }
  ReleaseWhenDestroyed(window);
  return result;
}

bool CentreOnOwner(HWND window) {
  const User32& user = *UserApi();
  RECT own = {};
  user.GetWindowRect(window, &own);
  RECT area = {};
  RECT centre = {};
  if (user.GetWindowLongW(window, GWL_STYLE) & WS_CHILD) {
    user.GetClientRect(user.GetParent(window), &area);
    centre = area;
  } else {
    HWND owner = user.GetWindow(window, GW_OWNER);
    LONG ownerStyle = owner ? user.GetWindowLongW(owner, GWL_STYLE) : 0;
    HWND reference = (ownerStyle & WS_VISIBLE) && !(ownerStyle & WS_MINIMIZE) ? owner : nullptr;
    HMONITOR monitor =
        user.MonitorFromWindow(reference ? reference : window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!monitor || !user.GetMonitorInfoW(monitor, &info)) return false;
    area = info.rcWork;
    if (reference) {
      user.GetWindowRect(reference, &centre);
    } else {
      centre = area;
    }
  }
  ScreenPoint at = CentredPosition(FromRect(centre), FromRect(area), own.right - own.left,
                                   own.bottom - own.top);
  return user.SetWindowPos(window, nullptr, at.x, at.y, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui

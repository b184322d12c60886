// Modal dialogs run from the executable's dialog templates, and existing controls taken over
// by an object: both route their window's messages to one handler interface.
#pragma once

#include "platform/win32/win32_api.h"

namespace ui {

// What a dialog or a taken-over control does with its window's messages.
class MessageHandler {
 public:
  // True when the message was handled, with its result in `result`; false leaves the message
  // to the default handling.
  virtual bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT& result) = 0;
  virtual ~MessageHandler() = default;

 protected:
  // Called once after the window is gone.
  virtual void OnWindowReleased(HWND window);

  HWND window_ = nullptr;
  // Messages being handled, a message sent while another is handled included: the window is
  // released only when the outermost one is done.
  int messagesInProgress_ = 0;
  bool destroyed_ = false;

  // Called once the routing procedure is done with a message.
  void ReleaseWhenDestroyed(HWND window);
};

class ModalDialog : public MessageHandler {
 public:
  explicit ModalDialog(int templateId) : templateId_(templateId) {}
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // The value passed to EndDialog; -1 when the dialog was not shown: the window functions
  // cannot be loaded, the process's window station is not visible (a service, a start without
  // a desktop: nobody could answer), or the dialog manager failed.
  int RunModal(HWND owner);

 private:
  virtual INT_PTR Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK StartProcedure(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam);
  static INT_PTR CALLBACK RoutingProcedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam);

  int templateId_;
  // The list of dialogs being created, one per thread at most, in which the start
  // procedure finds its object.
  DWORD creatingThread_ = 0;
  ModalDialog* nextCreating_ = nullptr;
};

class SubclassedControl : public MessageHandler {
 public:
  SubclassedControl() = default;
  SubclassedControl(const SubclassedControl&) = delete;
  SubclassedControl& operator=(const SubclassedControl&) = delete;

  // Routes the control's messages to this object; messages it leaves go to the control's own
  // procedure. False, with the control unchanged, when its procedure cannot be replaced.
  bool Attach(HWND control);

 private:
  virtual LRESULT Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK RoutingProcedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam);

  WNDPROC previousProcedure_ = nullptr;  // the control's own; DefWindowProcW until attached
};

// Moves a window to the centre of its parent's client area (a child window), of its visible
// owner, or of its monitor's work area, kept inside that area. False when the monitor cannot
// be had.
bool CentreOnOwner(HWND window);

}  // namespace ui

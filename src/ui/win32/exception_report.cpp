// The report of an uncaught exception: the stack trace, with the choice to go on or to stop.
#include "ui/exception_report.h"

#include "ui/win32/modal_dialog.h"
#include "ui/win32/window_api.h"

namespace ui {

namespace {

const int kExceptionReportTemplate = 231;
const int kStackTraceControl = 208;
const int kIgnore = IDOK;  // "Abaikan"
const int kStop = IDCANCEL;

class ExceptionReportDialog : public ModalDialog {
 public:
  explicit ExceptionReportDialog(const Text& stackTrace)
      : ModalDialog(kExceptionReportTemplate), stackTrace_(WithCrLfLineEnds(stackTrace)) {}

  bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM,
                     LRESULT& result) override {
    const User32& user = *UserApi();
    switch (message) {
      case WM_INITDIALOG:
        user.SetDlgItemTextW(window, kStackTraceControl, Wide(stackTrace_));
        CentreOnOwner(window);
        // The trace is there to be read, not selected: the focus goes to "Abaikan".
        user.SetFocus(user.GetDlgItem(window, kIgnore));
        result = FALSE;
        return true;
      case WM_CLOSE:
        // Closing the window is no decision to lose the program's data.
        user.EndDialog(window, kIgnore);
        return true;
      case WM_COMMAND:
        if (LOWORD(wParam) != kIgnore && LOWORD(wParam) != kStop) return false;
        user.EndDialog(window, LOWORD(wParam));
        return true;
      default:
        return false;
    }
  }

 private:
  Text stackTrace_;
};

}  // namespace

}  // namespace ui

int ReportUncaughtException(const Text& stackTrace) {
  const ui::User32* user = ui::UserApi();
  if (!user) return 0;
  ui::ExceptionReportDialog dialog(stackTrace);
  return dialog.RunModal(user->GetActiveWindow()) == ui::kStop ? 1 : 0;
}

// The runtime-not-found dialog: the runtime needed, a link to a download page, and a folder
// browser whose pick is accepted once it holds a runtime library of the wanted type.
#include "core/paths.h"
#include "launcher/messages.h"
#include "runtime/runtime_not_found.h"
#include "ui/win32/hyperlink_control.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/window_api.h"

namespace {

const int kRuntimeNotFoundTemplate = 201;
const int kFolderControl = 201;
const int kBrowseButton = 202;
const int kMessageControl = 203;
const int kDownloadLink = 205;
// The browser shows file-system folders only, in its resizable form, without "New Folder".
const UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;

// The folder browser's new style runs on OLE; the thread's apartment is given back after.
class OleSession {
 public:
  explicit OleSession(const ui::Ole32& ole)
      : ole_(ole), started_(SUCCEEDED(ole.OleInitialize(nullptr))) {}
  ~OleSession() {
    if (started_) ole_.OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  const ui::Ole32& ole_;
  bool started_;
};

class RuntimeNotFoundDialog : public ui::ModalDialog {
 public:
  RuntimeNotFoundDialog(const Text& messageText, JvmType jvmType)
      : ModalDialog(kRuntimeNotFoundTemplate), jvmType_(jvmType), messageText_(messageText) {}

  const Text& chosenFolder() const { return chosenFolder_; }
  const Text& chosenLibrary() const { return chosenLibrary_; }

  bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM,
                     LRESULT& result) override {
    const ui::User32& user = *ui::UserApi();
    if (message == WM_INITDIALOG) {
      OnInitDialog(window);
      // 0: the dialog manager places no initial focus.
      result = 0;
      return true;
    }
    if (message != WM_COMMAND) return false;
    switch (LOWORD(wParam)) {
      case IDOK:
      case IDCANCEL:
        user.EndDialog(window, LOWORD(wParam));
        return true;
      case kBrowseButton:
        OnBrowse(window);
        return true;
      default:
        return false;
    }
  }

 private:
  void OnInitDialog(HWND window) {
    const ui::User32& user = *ui::UserApi();
    link_.AttachTo(user.GetDlgItem(window, kDownloadLink));
    user.SetDlgItemTextW(window, kMessageControl, Wide(messageText_));
    user.EnableWindow(user.GetDlgItem(window, IDOK), FALSE);
    ui::CentreOnOwner(window);
  }

  void OnBrowse(HWND window) {
    const ui::User32& user = *ui::UserApi();
    const ui::Shell32* shell = ui::ShellApi();
    const ui::Ole32* ole = ui::OleApi();
    if (!shell || !ole) return;
    Text title = LoadMessage(kMsgBrowseRuntimeFolder);
    BROWSEINFOW browse = {};
    browse.hwndOwner = window;
    browse.lpszTitle = Wide(title);
    browse.ulFlags = kBrowseFlags;
    wchar_t path[MAX_PATH];
    {
      OleSession session(*ole);
      PIDLIST_ABSOLUTE picked = shell->SHBrowseForFolderW(&browse);
      if (!picked) return;
      BOOL named = shell->SHGetPathFromIDListW(picked, path);
      ole->CoTaskMemFree(picked);
      if (!named) return;
    }
    user.SetDlgItemTextW(window, kFolderControl, path);
    Text folder = FromWide(path);
    chosenFolder_ = folder.empty() ? folder : WithTrailingBackslash(folder);
    bool server = false;
    chosenLibrary_ = FindRuntimeLibrary(chosenFolder_, jvmType_, server);
    // OK follows the last pick: accepting an unusable one would store a folder without a
    // runtime and start without a runtime library.
    user.EnableWindow(user.GetDlgItem(window, IDOK), !chosenLibrary_.empty());
  }

  JvmType jvmType_;
  Text chosenFolder_;
  Text chosenLibrary_;
  Text messageText_;
  ui::HyperlinkControl link_;
};

}  // namespace

bool AskForRuntime(const LauncherSettings& settings, const SearchPolicy& policy,
                   RuntimeChoice& choice) {
  Text message = RuntimeNotFoundMessage(policy);
  RuntimeNotFoundDialog dialog(message, policy.jvmType);
  const ui::User32* user = ui::UserApi();
  int result = user ? dialog.RunModal(user->GetActiveWindow()) : -1;
  if (result == -1) {
    // Nobody could answer the dialog: its message is the report.
    ReportError(message);
    return false;
  }
  // Cancel: the user has read the message.
  if (result != IDOK) return false;
  AcceptRuntimeFolder(settings, dialog.chosenFolder(), dialog.chosenLibrary(), choice);
  return true;
}

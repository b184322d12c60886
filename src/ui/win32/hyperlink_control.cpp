// The hyperlink control of the runtime-not-found dialog.
#include "ui/win32/hyperlink_control.h"

#include "ui/anchor_colour.h"
#include "ui/window_geometry.h"

namespace ui {

namespace {

const UINT_PTR kToolId = 1;

// The browser's own link colours, when the user set them.
const wchar_t kBrowserSettingsKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

// Called with an open key, so the registry functions are bound.
bool ReadColourValue(HKEY key, const wchar_t* name, COLORREF& colour) {
  wchar_t stored[12];
  DWORD type = 0;
  DWORD size = sizeof(stored);
  if (os::Advapi()->RegQueryValueExW(key, name, nullptr, &type,
                                     reinterpret_cast<BYTE*>(stored), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return false;
  }
  uint32_t parsed = 0;
  if (!ParseAnchorColour(std::u16string_view(reinterpret_cast<const char16_t*>(stored),
                                             size / sizeof(wchar_t)),
                         parsed)) {
    return false;
  }
  colour = parsed;
  return true;
}

bool Contains(const RECT& rect, POINT point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
         point.y < rect.bottom;
}

// A paint when the window asked for one, given back when drawing is done.
class PaintSession {
 public:
  explicit PaintSession(HWND window) : window_(window) {
    UserApi()->BeginPaint(window, &paint_);
  }
  ~PaintSession() { UserApi()->EndPaint(window_, &paint_); }
  PaintSession(const PaintSession&) = delete;
  PaintSession& operator=(const PaintSession&) = delete;
  HDC Get() const { return paint_.hdc; }

 private:
  HWND window_;
  PAINTSTRUCT paint_ = {};
};

}  // namespace

void HyperlinkControl::AttachTo(HWND control) {
  const User32& user = *UserApi();
  if (!normalFont_) {
    normalFont_ = reinterpret_cast<HFONT>(user.SendMessageW(control, WM_GETFONT, 0, 0));
  }
  if (!Attach(control)) return;
  // A static without SS_NOTIFY lets the mouse fall through to the dialog.
  wchar_t className[8];
  if (user.GetClassNameW(control, className, 8) && lstrcmpiW(className, L"static") == 0) {
    LONG style = user.GetWindowLongW(control, GWL_STYLE);
    if (!(style & SS_NOTIFY)) user.SetWindowLongW(control, GWL_STYLE, style | SS_NOTIFY);
  }
  handCursor_ = user.LoadCursorW(nullptr, IDC_HAND);
  if (!normalFont_) {
    LOGFONTW iconTitle = {};
    user.SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0);
    ownedNormalFont_.Reset(GdiApi()->CreateFontIndirectW(&iconTitle));
    normalFont_ = static_cast<HFONT>(ownedNormalFont_.Get());
  }
  if (!linkFont_) CreateLinkFont();
  // The tooltip class is the common controls' own; without them the link has no tooltip.
  CommonControlsApi();
  tooltip_ = user.CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  int length = user.GetWindowTextLengthW(control);
  if (label_.empty() && length > 0) {
    Text text(static_cast<size_t>(length) + 1, u'\0');
    text.resize(user.GetWindowTextW(control, reinterpret_cast<wchar_t*>(&text[0]), length + 1));
    label_ = text;
  }
  ComputeLinkRect();
  if (!target_.empty()) {
    user.SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
    AddTool();
  } else if (!label_.empty()) {
    SetTarget(label_);
  }
  ReadColours();
}

void HyperlinkControl::ReadColours() {
  os::RegistryKey key;
  const os::Advapi32* api = os::Advapi();
  if (!api || api->RegOpenKeyExW(HKEY_CURRENT_USER, kBrowserSettingsKey, 0, KEY_READ | KEY_WRITE,
                                 key.Put()) != ERROR_SUCCESS) {
    return;
  }
  ReadColourValue(key.Get(), L"Anchor Color", linkColour_);
  ReadColourValue(key.Get(), L"Anchor Color Visited", visitedColour_);
}

void HyperlinkControl::CreateLinkFont() {
  const Gdi32& gdi = *GdiApi();
  LOGFONTW font = {};
  HGDIOBJ base = normalFont_ ? static_cast<HGDIOBJ>(normalFont_)
                             : gdi.GetStockObject(SYSTEM_FONT);
  gdi.GetObjectW(base, sizeof(font), &font);
  font.lfUnderline = TRUE;
  linkFont_.Reset(gdi.CreateFontIndirectW(&font));
}

void HyperlinkControl::SetTarget(const Text& target) {
  target_ = target;
  if (label_.empty()) ComputeLinkRect();
  if (tooltip_ && UserApi()->IsWindow(tooltip_)) {
    UserApi()->SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
    AddTool();
  }
}

void HyperlinkControl::AddTool() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  GetVersionExW(&version);
  TTTOOLINFOW tool = {};
  tool.cbSize = version.dwMajorVersion >= 6 ? TTTOOLINFOW_V3_SIZE : TTTOOLINFOW_V2_SIZE;
  tool.hwnd = window_;
  tool.uId = kToolId;
  tool.rect = linkRect_;
  tool.hinst = GetModuleHandleW(nullptr);
  tool.lpszText = const_cast<wchar_t*>(Wide(target_));
  UserApi()->SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

TextAlignment HyperlinkControl::TextAlignmentOfControl() const {
  return AlignmentOfStaticStyle(static_cast<uint32_t>(UserApi()->GetWindowLongW(window_,
                                                                                GWL_STYLE)));
}

UINT HyperlinkControl::Alignment() const {
  switch (TextAlignmentOfControl()) {
    case TextAlignment::Centre:
      return DT_CENTER;
    case TextAlignment::Right:
      return DT_RIGHT;
    default:
      return DT_LEFT;
  }
}

void HyperlinkControl::ComputeLinkRect() {
  const User32& user = *UserApi();
  if (!window_ || !user.IsWindow(window_) || (label_.empty() && target_.empty())) return;
  RECT client = {};
  user.GetClientRect(window_, &client);
  RECT text = client;
  WindowDc dc(window_);
  SelectedObject font(dc.Get(), linkFont_.Get());
  const Text& shown = Shown();
  user.DrawTextW(dc.Get(), Wide(shown), static_cast<int>(shown.size()), &text,
                 DT_CALCRECT | DT_WORDBREAK | Alignment());
  ScreenRect measured = {text.left, text.top, text.right, text.bottom};
  AlignMeasuredText(TextAlignmentOfControl(), client.right, measured);
  linkRect_ = {measured.left, measured.top, measured.right, measured.bottom};
}

void HyperlinkControl::Paint(HDC dc) {
  const User32& user = *UserApi();
  const Gdi32& gdi = *GdiApi();
  RECT client = {};
  user.GetClientRect(window_, &client);
  auto brush = reinterpret_cast<HBRUSH>(user.SendMessageW(
      user.GetParent(window_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
      reinterpret_cast<LPARAM>(window_)));
  if (brush) user.FillRect(dc, &client, brush);
  gdi.SetBkMode(dc, TRANSPARENT);
  COLORREF colour = !user.IsWindowEnabled(window_) ? user.GetSysColor(COLOR_GRAYTEXT)
                    : visited_                     ? visitedColour_
                                                   : linkColour_;
  COLORREF previousColour = gdi.SetTextColor(dc, colour);
  {
    SelectedObject font(dc, linkFont_ ? linkFont_.Get() : static_cast<HGDIOBJ>(normalFont_));
    const Text& shown = Shown();
    RECT text = linkRect_;
    user.DrawTextW(dc, Wide(shown), static_cast<int>(shown.size()), &text,
                   DT_WORDBREAK | Alignment());
    if (user.GetFocus() == window_) user.DrawFocusRect(dc, &linkRect_);
  }
  gdi.SetTextColor(dc, previousColour);
}

void HyperlinkControl::PaintMessage(WPARAM wParam) {
  if (wParam) {
    Paint(reinterpret_cast<HDC>(wParam));
    return;
  }
  PaintSession paint(window_);
  Paint(paint.Get());
}

bool HyperlinkControl::Navigate() {
  const Shell32* shell = ShellApi();
  if (!shell) return false;
  auto code = reinterpret_cast<INT_PTR>(
      shell->ShellExecuteW(nullptr, L"open", Wide(target_), nullptr, nullptr, SW_SHOWNORMAL));
  if (code <= 32) return false;
  visited_ = true;
  UserApi()->InvalidateRect(window_, nullptr, TRUE);
  return true;
}

bool HyperlinkControl::InLink(LPARAM point) const {
  // Client coordinates are signed: a captured mouse may be left of or above the control.
  POINT at = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  return Contains(linkRect_, at);
}

bool HyperlinkControl::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     LRESULT& result) {
  const User32& user = *UserApi();
  result = 0;
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && tooltip_ &&
      user.IsWindow(tooltip_)) {
    MSG relayed = {window, message, wParam, lParam, 0, {0, 0}};
    user.SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  }
  switch (message) {
    case WM_DESTROY:
      if (tooltip_) user.DestroyWindow(tooltip_);
      tooltip_ = nullptr;
      linkFont_.Reset();
      ownedNormalFont_.Reset();
      normalFont_ = nullptr;
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintMessage(wParam);
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      user.InvalidateRect(window, nullptr, TRUE);
      return true;
    case WM_MOUSEMOVE:
      if (target_.empty() || !InLink(lParam)) return false;
      user.SetCursor(handCursor_);
      return true;
    case WM_MOUSELEAVE:
      return true;
    case WM_LBUTTONDOWN:
      if (InLink(lParam)) {
        user.SetFocus(window);
        user.SetCapture(window);
      }
      return true;
    case WM_LBUTTONUP:
      if (user.GetCapture() == window) {
        user.ReleaseCapture();
        if (InLink(lParam)) Navigate();
      }
      return true;
    case WM_CHAR:
      if (wParam == VK_RETURN || wParam == VK_SPACE) Navigate();
      return true;
    case WM_GETDLGCODE:
      result = DLGC_WANTCHARS;
      return true;
    case WM_SETCURSOR: {
      POINT cursor = {};
      if (target_.empty() || !user.GetCursorPos(&cursor) ||
          !user.ScreenToClient(window, &cursor) || !Contains(linkRect_, cursor)) {
        return false;
      }
      result = TRUE;
      return true;
    }
    case WM_ENABLE:
      user.InvalidateRect(window, nullptr, TRUE);
      user.UpdateWindow(window);
      return true;
    case WM_GETFONT:
      result = reinterpret_cast<LRESULT>(normalFont_);
      return true;
    case WM_SETFONT:
      ownedNormalFont_.Reset();
      normalFont_ = reinterpret_cast<HFONT>(wParam);
      if (linkFont_) CreateLinkFont();
      ComputeLinkRect();
      if (lParam) {
        user.InvalidateRect(window, nullptr, TRUE);
        user.UpdateWindow(window);
      }
      return true;
    case WM_UPDATEUISTATE:
      return true;
    case WM_SIZE:
      ComputeLinkRect();
      user.InvalidateRect(window, nullptr, TRUE);
      return true;
    default:
      return false;
  }
}

}  // namespace ui

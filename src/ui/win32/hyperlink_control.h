// A static text control turned into a link: underlined in the link colour, with the hand
// cursor and a tooltip showing its address, which the shell opens on a click, Enter or Space.
#pragma once

#include "core/text.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/window_api.h"
#include "ui/window_geometry.h"

namespace ui {

class HyperlinkControl : public SubclassedControl {
 public:
  // Takes the control over; its text becomes the label and, unless a target was set, the
  // address. A control that cannot be taken over stays a plain static text.
  void AttachTo(HWND control);
  void SetTarget(const Text& target);
  // Opens the address with the shell; true when the shell took it.
  bool Navigate();
  void ComputeLinkRect();

  bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                     LRESULT& result) override;

 private:
  void CreateLinkFont();
  void AddTool();
  void ReadColours();
  void Paint(HDC dc);
  void PaintMessage(WPARAM wParam);
  bool InLink(LPARAM point) const;
  const Text& Shown() const { return label_.empty() ? target_ : label_; }
  TextAlignment TextAlignmentOfControl() const;
  UINT Alignment() const;  // as DrawTextW flags

  Text label_;   // the text drawn; empty until attached
  Text target_;  // the address opened
  HCURSOR handCursor_ = nullptr;
  GdiObject linkFont_;         // the normal font underlined, always the control's own
  HFONT normalFont_ = nullptr;  // the static's font, or ownedNormalFont_
  GdiObject ownedNormalFont_;   // the icon title font, when the static had none
  RECT linkRect_ = {};          // where the text is, in client coordinates
  HWND tooltip_ = nullptr;      // a child of the control, gone with it
  COLORREF linkColour_ = RGB(0, 0, 255);
  COLORREF visitedColour_ = RGB(128, 0, 128);
  bool visited_ = false;
};

}  // namespace ui

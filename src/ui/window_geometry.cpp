// Placement arithmetic of the launcher's dialogs and of the hyperlink's text.
#include "ui/window_geometry.h"

namespace {

// The start of a span of `size` centred on [low, high), then kept inside [areaLow, areaHigh);
// the low edge wins when the span is larger than the area.
int32_t CentredStart(int32_t low, int32_t high, int32_t areaLow, int32_t areaHigh,
                     int32_t size) {
  int32_t start = (low + high) / 2 - size / 2;
  if (start + size > areaHigh) start = areaHigh - size;
  if (start < areaLow) start = areaLow;
  return start;
}

}  // namespace

ScreenPoint CentredPosition(const ScreenRect& centre, const ScreenRect& area, int32_t width,
                            int32_t height) {
  return {CentredStart(centre.left, centre.right, area.left, area.right, width),
          CentredStart(centre.top, centre.bottom, area.top, area.bottom, height)};
}

TextAlignment AlignmentOfStaticStyle(uint32_t style) {
  const uint32_t kCentre = 0x1;  // SS_CENTER
  const uint32_t kRight = 0x2;   // SS_RIGHT
  if (style & kCentre) return TextAlignment::Centre;
  if (style & kRight) return TextAlignment::Right;
  return TextAlignment::Left;
}

void AlignMeasuredText(TextAlignment alignment, int32_t clientRight, ScreenRect& text) {
  int32_t shift = 0;
  if (alignment == TextAlignment::Centre) shift = (clientRight - text.right) / 2;
  if (alignment == TextAlignment::Right) shift = clientRight - text.right;
  text.left += shift;
  text.right += shift;
}

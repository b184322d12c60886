// Placement arithmetic of the launcher's dialogs and of the hyperlink's text: pure, so that it
// can be checked without a window system.
#pragma once

#include <cstdint>

struct ScreenRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// The top-left corner that centres a window of the given size on `centre`, pushed back inside
// `area`; a window larger than the area keeps its left or top edge on the area's edge.
ScreenPoint CentredPosition(const ScreenRect& centre, const ScreenRect& area, int32_t width,
                            int32_t height);

enum class TextAlignment { Left, Centre, Right };

// The alignment of a static text control's style (SS_CENTER before SS_RIGHT).
TextAlignment AlignmentOfStaticStyle(uint32_t style);

// Moves text measured from the left edge of a client area whose right edge is `clientRight`
// to where the alignment draws it.
void AlignMeasuredText(TextAlignment alignment, int32_t clientRight, ScreenRect& text);

// The picture of the work piece in the Material page's work view, as numbers: the square view
// of the marking field, the work drawn to scale, and the dots that mark where printing starts.
#pragma once

#include "settings/printer_settings.h"

// Page client coordinates; right and bottom are the last pixel inside an area, and the end
// points of a rectangle as the platform's drawing calls take them.
struct ViewBox {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct WorkView {
    ViewBox frame;     // the square view, framed in white
    LONG centreX;      // the vertical line of the centre cross
    LONG centreY;      // the horizontal line of the centre cross
    ViewBox work;      // the work rectangle, outlined and filled
    LONG bandTop;      // first row of dots
    LONG bandBottom;   // rows stop before this one
    LONG marksLeft;    // first dot of an unshifted row
    LONG marksRight;   // dots stop before reaching this column
    bool shiftOddRows; // bi-directional printing
};

inline constexpr LONG kViewSpan = 900;      // the marking field shown, tenths of a millimetre
inline constexpr LONG kUpperLeftStart = 50; // where an upper-left work starts
inline constexpr LONG kMarkPitch = 5;       // pixels between dots, both ways
inline constexpr LONG kOddRowShift = 2;     // pixels
inline constexpr LONG kMarkInset = 2;       // pixels kept from the work's left and right edges

// The view in an area (the work view control's corners) for a record.
WorkView ComputeWorkView(const ViewBox& area, const PrinterSettings& ps);

// Every dot of the view, row by row; each is the single pixel (x, y).
void ForEachMark(const WorkView& view, void (*mark)(void* context, LONG x, LONG y), void* context);

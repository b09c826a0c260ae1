// The tone curve's geometry: the straight reference ramp of brightness and contrast and the
// curve that adds gamma and the low-cut thresholds, as points of a square graph of side S.
// Graph x is the input brightness and graph y the impact strength, both 0 .. S.
#pragma once

#include "settings/printer_settings.h"

#include <windows.h>

// Larger graphs are drawn as this side; it keeps every product below within 32 bits.
inline constexpr LONG kMaxGraphSide = 32767;

struct ToneCurve {
    LONG side;       // S
    LONG kn;         // contrast slope numerator, c + 100
    LONG kd;         // contrast slope denominator, 100 - c
    LONG rise;       // the ramp's rise across the square
    LONG offset;     // the ramp's value at x = 0 (brightness and centring)
    double exponent; // 1 / gamma
    bool lowCut;
    LONG cutInput;  // columns left of this are drawn on the bottom row
    LONG cutOutput; // so are points below this
};

struct GraphLine {
    POINT start;
    POINT end;
};

struct CurvePoint {
    LONG y;      // the curve's value
    LONG drawnY; // where it is drawn: the bottom row when the low cut takes it
};

// The side of the square graph in an area given by its first and last pixels: the shorter side.
LONG GraphSide(POINT topLeft, POINT bottomRight);
// The curve of a record for a square of the given side.
ToneCurve MakeToneCurve(const PrinterSettings& ps, LONG side);
// The reference ramp between its crossings with the square's edges.
GraphLine ReferenceLine(const ToneCurve& curve);
CurvePoint CurvePointAt(const ToneCurve& curve, LONG x);
// How many columns the curve covers: it ends at the first column after 0 that reaches the top.
LONG CurvePointCount(const ToneCurve& curve);
// The pixel of a graph point in a square whose top-left pixel is `origin`.
POINT GraphToPixel(POINT origin, LONG side, LONG x, LONG y);

#ifdef _WIN32
// Draws the graph into area 532 of the page: the frame, the grey grid and reference ramp, and
// the blue curve. Leaves the context with the pen it had.
void DrawGraph(HWND dialog, HDC dc, const PrinterSettings* ps);
#endif

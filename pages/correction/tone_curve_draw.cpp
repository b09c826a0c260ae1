// The tone curve drawn with GDI over the points of the curve model.
#include "pages/correction/tone_curve.h"

#include "resources/resource.h"
#include "ui/numeric_dialog.h"

namespace {

constexpr COLORREF kGridColour = RGB(192, 192, 192);
constexpr COLORREF kCurveColour = RGB(0, 0, 255);

void Line(HDC dc, POINT from, POINT to) {
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
}

void DrawGrid(HDC dc, POINT origin, LONG side) {
    const LONG at[] = {side / 4, side / 2, (3 * side) / 4};
    for (LONG row : at) {
        Line(dc, {origin.x, origin.y + row}, {origin.x + side, origin.y + row});
    }
    for (LONG column : at) {
        Line(dc, {origin.x + column, origin.y}, {origin.x + column, origin.y + side});
    }
}

void DrawReference(HDC dc, POINT origin, const ToneCurve& curve) {
    const GraphLine line = ReferenceLine(curve);
    Line(dc, GraphToPixel(origin, curve.side, line.start.x, line.start.y),
         GraphToPixel(origin, curve.side, line.end.x, line.end.y));
}

void DrawCurve(HDC dc, POINT origin, const ToneCurve& curve) {
    const LONG count = CurvePointCount(curve);
    for (LONG x = 0; x < count; ++x) {
        const POINT pixel = GraphToPixel(origin, curve.side, x, CurvePointAt(curve, x).drawnY);
        if (x == 0) {
            MoveToEx(dc, pixel.x, pixel.y, nullptr);
        } else {
            LineTo(dc, pixel.x, pixel.y);
        }
    }
}

} // namespace

void DrawGraph(HWND dialog, HDC dc, const PrinterSettings* ps) {
    RECT area;
    POINT origin;
    POINT last;
    getDlgCtrlRect(dialog, IDC_TONE_CURVE, &area, &origin, &last);
    const ToneCurve curve = MakeToneCurve(*ps, GraphSide(origin, last));
    // The context's own pen and brush give the black border and the white ground.
    Rectangle(dc, origin.x, origin.y, origin.x + curve.side, origin.y + curve.side);

    HPEN grey = CreatePen(PS_SOLID, 1, kGridColour);
    HGDIOBJ previous = SelectObject(dc, grey);
    DrawGrid(dc, origin, curve.side);
    DrawReference(dc, origin, curve);
    SelectObject(dc, previous);
    DeleteObject(grey);

    HPEN blue = CreatePen(PS_SOLID, 1, kCurveColour);
    previous = SelectObject(dc, blue);
    DrawCurve(dc, origin, curve);
    SelectObject(dc, previous);
    DeleteObject(blue);
}

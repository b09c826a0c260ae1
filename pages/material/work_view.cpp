#include "pages/material/work_view.h"

#include "pages/material/work_view_geometry.h"
#include "resources/resource.h"
#include "ui/numeric_dialog.h"

namespace {

constexpr COLORREF kWorkColour = RGB(192, 192, 64);

ViewBox ViewArea(HWND dialog) {
    RECT rect;
    POINT topLeft;
    POINT bottomRight;
    getDlgCtrlRect(dialog, IDC_WORK_VIEW, &rect, &topLeft, &bottomRight);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void Line(HDC surface, LONG x1, LONG y1, LONG x2, LONG y2) {
    MoveToEx(surface, x1, y1, nullptr);
    LineTo(surface, x2, y2);
}

void DrawCross(HDC surface, const WorkView& view) {
    Line(surface, view.centreX, view.frame.top, view.centreX, view.frame.bottom);
    Line(surface, view.frame.left, view.centreY, view.frame.right, view.centreY);
}

void DrawWork(HDC surface, const ViewBox& work) {
    HBRUSH fill = CreateSolidBrush(kWorkColour);
    HGDIOBJ previous = SelectObject(surface, fill);
    Rectangle(surface, work.left, work.top, work.right, work.bottom);
    SelectObject(surface, previous);
    DeleteObject(fill);
}

// A line one pixel down and right, whose end is not drawn: the single pixel (x, y).
void DrawMark(void* surface, LONG x, LONG y) {
    Line(static_cast<HDC>(surface), x, y, x + 1, y + 1);
}

} // namespace

void DrawMaterial(HWND dialog, HDC surface, const PrinterSettings* ps) {
    const WorkView view = ComputeWorkView(ViewArea(dialog), *ps);
    const RECT frame{view.frame.left, view.frame.top, view.frame.right, view.frame.bottom};
    FrameRect(surface, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawCross(surface, view);
    DrawWork(surface, view.work);
    ForEachMark(view, DrawMark, surface);
}

void InvalidWorkView(HWND dialog, int) {
    const ViewBox area = ViewArea(dialog);
    const RECT rect{area.left, area.top, area.right, area.bottom};
    InvalidateRect(dialog, &rect, TRUE);
}

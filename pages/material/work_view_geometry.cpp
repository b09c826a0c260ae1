#include "pages/material/work_view_geometry.h"

#include <algorithm>

namespace {

// A work size outside the marking field only comes from a record no page wrote; it is drawn as
// the nearest size the field can show, which keeps the picture and the number of dots bounded.
LONG ShownSize(SHORT size) {
    return std::clamp<LONG>(size, 0, kViewSpan);
}

// The smaller side of the area, from its top-left corner.
ViewBox SquareOf(ViewBox area) {
    const LONG side = std::min(area.right - area.left, area.bottom - area.top);
    area.right = area.left + side;
    area.bottom = area.top + side;
    return area;
}

LONG Side(const ViewBox& square) {
    return square.right - square.left;
}

ViewBox UpperLeftWork(const ViewBox& f, LONG x, LONG y) {
    const LONG s = Side(f);
    const LONG m = s * kUpperLeftStart / kViewSpan;
    return {f.left + m, f.top + m, f.left + (x + kUpperLeftStart) * s / kViewSpan,
            f.top + (y + kUpperLeftStart) * s / kViewSpan};
}

ViewBox CentredWork(const ViewBox& f, LONG x, LONG y) {
    const LONG s = Side(f);
    const LONG a = ((kViewSpan - x) * s / kViewSpan) / 2;
    const LONG b = ((kViewSpan - y) * s / kViewSpan) / 2;
    return {f.left + a, f.top + b, f.right - a, f.bottom - b};
}

} // namespace

WorkView ComputeWorkView(const ViewBox& area, const PrinterSettings& ps) {
    WorkView view{};
    view.frame = SquareOf(area);
    view.centreX = (view.frame.left + view.frame.right) / 2;
    view.centreY = (view.frame.top + view.frame.bottom) / 2;
    const LONG x = ShownSize(ps.UserDefinedX);
    const LONG y = ShownSize(ps.UserDefinedY);
    view.work = ps.ULOrigin != 0 ? UpperLeftWork(view.frame, x, y) : CentredWork(view.frame, x, y);
    const LONG middle = (view.work.top + view.work.bottom) / 2;
    // Printing from the bottom starts in the lower half of the work.
    view.bandTop = ps.ReverseDir != 0 ? middle : view.work.top;
    view.bandBottom = ps.ReverseDir != 0 ? view.work.bottom : middle;
    view.marksLeft = view.work.left + kMarkInset;
    view.marksRight = view.work.right - kMarkInset;
    view.shiftOddRows = ps.BiDir != 0;
    return view;
}

void ForEachMark(const WorkView& view, void (*mark)(void* context, LONG x, LONG y), void* context) {
    if (view.marksLeft >= view.marksRight) {
        return;
    }
    const LONG count = (view.marksRight - view.marksLeft + kMarkPitch - 1) / kMarkPitch;
    for (LONG y = view.bandTop; y < view.bandBottom; y += kMarkPitch) {
        const LONG shift = view.shiftOddRows && y % 2 != 0 ? kOddRowShift : 0;
        for (LONG k = 0; k < count; ++k) {
            mark(context, view.marksLeft + shift + kMarkPitch * k, y);
        }
    }
}

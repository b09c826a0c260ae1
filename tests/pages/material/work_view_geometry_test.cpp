// The work view's picture as numbers, for a 70 x 70 view area at (100, 50) of the page.
#include "pages/material/work_view_geometry.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Marks = std::vector<std::pair<LONG, LONG>>;

std::pair<LONG, LONG> Mark(LONG x, LONG y) {
    return {x, y};
}

// Corners of a 70 x 70 area, its last pixel inside: a 69-pixel square side.
constexpr ViewBox kArea{100, 50, 169, 119};

PrinterSettings Work(SHORT x, SHORT y, BYTE upperLeft = 0) {
    PrinterSettings ps{};
    ps.UserDefinedX = x;
    ps.UserDefinedY = y;
    ps.ULOrigin = upperLeft;
    return ps;
}

Marks MarksOf(const WorkView& view) {
    Marks marks;
    ForEachMark(
        view, [](void* c, LONG x, LONG y) { static_cast<Marks*>(c)->emplace_back(x, y); }, &marks);
    return marks;
}

void ExpectBox(const ViewBox& box, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(box.left, left);
    EXPECT_EQ(box.top, top);
    EXPECT_EQ(box.right, right);
    EXPECT_EQ(box.bottom, bottom);
}

} // namespace

TEST(WorkViewGeometry, WorkToScaleCentredOrFromTheUpperLeft) {
    WorkView view = ComputeWorkView(kArea, Work(500, 500));
    ExpectBox(view.frame, 100, 50, 169, 119);
    EXPECT_EQ(view.centreX, 134);
    EXPECT_EQ(view.centreY, 84);
    ExpectBox(view.work, 115, 65, 154, 104);

    view = ComputeWorkView(kArea, Work(500, 300, 1));
    ExpectBox(view.work, 103, 53, 142, 76);
    view = ComputeWorkView(kArea, Work(800, 800));
    ExpectBox(view.work, 103, 53, 166, 116);
    view = ComputeWorkView(kArea, Work(800, 500));
    ExpectBox(view.work, 103, 65, 166, 104);

    // A wide area keeps a square at its left edge; a tall one at its top.
    ExpectBox(ComputeWorkView({0, 0, 100, 50}, Work(500, 500)).frame, 0, 0, 50, 50);
    ExpectBox(ComputeWorkView({0, 0, 50, 100}, Work(500, 500)).frame, 0, 0, 50, 50);
}

TEST(WorkViewGeometry, DotsMarkTheHalfWherePrintingStarts) {
    PrinterSettings ps = Work(500, 500);
    // Upper half: rows 65 to 83, dots from 117 while short of 152.
    Marks marks = MarksOf(ComputeWorkView(kArea, ps));
    ASSERT_EQ(marks.size(), 4u * 7u);
    EXPECT_EQ(marks.front(), Mark(117, 65));
    EXPECT_EQ(marks[6], Mark(147, 65));
    EXPECT_EQ(marks.back(), Mark(147, 80));

    // Bi-directional printing shifts the odd rows (65 and 75) two pixels right.
    ps.BiDir = 1;
    marks = MarksOf(ComputeWorkView(kArea, ps));
    ASSERT_EQ(marks.size(), 28u);
    EXPECT_EQ(marks[0], Mark(119, 65));
    EXPECT_EQ(marks[7], Mark(117, 70));
    EXPECT_EQ(marks[14], Mark(119, 75));
    EXPECT_EQ(marks[27], Mark(147, 80));

    // Printing from the bottom marks the lower half: rows 84 to 103, even 84 first.
    ps.ReverseDir = 1;
    marks = MarksOf(ComputeWorkView(kArea, ps));
    ASSERT_EQ(marks.size(), 28u);
    EXPECT_EQ(marks[0], Mark(117, 84));
    EXPECT_EQ(marks[7], Mark(119, 89));
    EXPECT_EQ(marks.back(), Mark(149, 99));
}

TEST(WorkViewGeometry, NoDotsInABandOrColumnTooThin) {
    // A work of no length: rows from 84 to before 84.
    WorkView view = ComputeWorkView(kArea, Work(500, 0));
    EXPECT_EQ(view.bandTop, view.bandBottom);
    EXPECT_TRUE(MarksOf(view).empty());
    // Four pixels of width leave no room inside the two-pixel margins.
    view = ComputeWorkView({0, 0, 900, 900}, Work(4, 500, 1));
    EXPECT_TRUE(MarksOf(view).empty());
    view = ComputeWorkView({0, 0, 900, 900}, Work(5, 500, 1));
    EXPECT_EQ(MarksOf(view).size(), 50u);
}

TEST(WorkViewGeometry, SizesNoPageWroteAreDrawnWithinTheMarkingField) {
    const WorkView huge = ComputeWorkView(kArea, Work(32767, 32767));
    ExpectBox(huge.work, 100, 50, 169, 119);
    const WorkView negative = ComputeWorkView(kArea, Work(-32768, -5, 1));
    ExpectBox(negative.work, 103, 53, 103, 53);
    EXPECT_TRUE(MarksOf(negative).empty());
}

// The work view's picture as numbers, for a 70 x 70 view area at (100, 50) of the page.
#include "pages/material/work_view_geometry.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Box = std::array<LONG, 4>;
using Marks = std::vector<std::array<LONG, 2>>;

constexpr ViewBox kArea{100, 50, 169, 119}; // its last pixel inside: a side of 69

WorkView View(SHORT x, SHORT y, BYTE upperLeft = 0, BYTE reverse = 0, SHORT biDir = 0) {
    PrinterSettings ps{};
    ps.UserDefinedX = x, ps.UserDefinedY = y, ps.ULOrigin = upperLeft, ps.ReverseDir = reverse;
    ps.BiDir = biDir;
    return ComputeWorkView(kArea, ps);
}

Box BoxOf(const ViewBox& b) {
    return {b.left, b.top, b.right, b.bottom};
}

Marks MarksOf(const WorkView& view) {
    Marks marks;
    ForEachMark(
        view,
        [](void* m, LONG x, LONG y) {
            static_cast<Marks*>(m)->push_back({x, y});
        },
        &marks);
    return marks;
}

} // namespace

TEST(WorkViewGeometry, WorkToScaleCentredOrFromTheUpperLeftAndDotsWherePrintingStarts) {
    const WorkView square = View(500, 500);
    EXPECT_EQ(BoxOf(square.work), (Box{115, 65, 154, 104}));
    EXPECT_EQ(square.centreX * 1000 + square.centreY, 134084);
    EXPECT_EQ(BoxOf(View(500, 300, 1).work), (Box{103, 53, 142, 76}));
    EXPECT_EQ(BoxOf(View(800, 500).work), (Box{103, 65, 166, 104}));
    // Sizes outside the marking field are drawn as its edge.
    EXPECT_EQ(BoxOf(View(32767, -5, 1).work), (Box{103, 53, 172, 53}));
    // A wide area keeps a square at its left edge, a tall one at its top.
    PrinterSettings ps{};
    EXPECT_EQ(BoxOf(ComputeWorkView({0, 10, 100, 60}, ps).frame), (Box{0, 10, 50, 60}));
    EXPECT_EQ(BoxOf(ComputeWorkView({10, 0, 60, 100}, ps).frame), (Box{10, 0, 60, 50}));

    // The dots mark the half where printing starts.
    // Upper half: rows 65, 70, 75, 80; dots from 117 while short of 152.
    // Bi-directional: odd rows two pixels right. From the bottom: rows 84 to 99 of the lower half.
    // reverse, bi-directional; the first, second, eighth and last dots
    const std::pair<std::array<BYTE, 2>, Marks> rows[] = {
        {{0, 0}, {{117, 65}, {122, 65}, {117, 70}, {147, 80}}},
        {{0, 1}, {{119, 65}, {124, 65}, {117, 70}, {147, 80}}},
        {{1, 1}, {{117, 84}, {122, 84}, {119, 89}, {149, 99}}}};
    for (const auto& [flags, firstSecondEighthLast] : rows) {
        const Marks marks = MarksOf(View(500, 500, 0, flags[0], flags[1]));
        ASSERT_EQ(marks.size(), 28u);
        EXPECT_EQ(Marks({marks[0], marks[1], marks[7], marks[27]}), firstSecondEighthLast);
    }
    // A band less than a row high, and a work too narrow for its margins, get none.
    EXPECT_TRUE(MarksOf(View(500, 0)).empty());
    EXPECT_EQ(MarksOf(View(61, 500, 1)).size(), 4u);
}

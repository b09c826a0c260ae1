// The tone curve's points on a graph of side 100, and what untrusted records draw.
#include "pages/correction/tone_curve.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <utility>
#include <vector>

namespace {

PrinterSettings Record(SHORT brightness, SHORT contrast, SHORT gamma, SHORT lowCutPost = 0) {
    PrinterSettings ps{};
    ps.Brightness = brightness, ps.Contrast = contrast, ps.Gamma = gamma;
    ps.LowCut = lowCutPost != 0, ps.LowCutPost = lowCutPost;
    return ps;
}

// The curve's value, or the row it is drawn on, in every column it covers.
std::vector<LONG> Columns(const PrinterSettings& ps, bool drawn = false, LONG side = 100) {
    const ToneCurve curve = MakeToneCurve(ps, side);
    std::vector<LONG> ys;
    for (LONG x = 0; x < CurvePointCount(curve); ++x) {
        ys.push_back(drawn ? CurvePointAt(curve, x).drawnY : CurvePointAt(curve, x).y);
    }
    return ys;
}

} // namespace

TEST(ToneCurve, PointsOfTheSquareOfSide100AndTheLowCut) {
    // b, c, G; the reference line's start x, y and end x, y; the count; sample columns (x, y)
    using Samples = std::vector<std::pair<LONG, LONG>>;
    const std::tuple<SHORT, SHORT, SHORT, std::vector<LONG>, size_t, Samples> cases[] = {
        {0, 0, -500, {0, 0, 100, 100}, 100, {{10, 1}, {25, 6}, {50, 25}, {75, 56}, {99, 98}}},
        {50, 0, 0, {0, 50, 50, 100}, 51, {{0, 50}, {10, 60}, {50, 100}}},
        {0, 50, 0, {33, 0, 66, 100}, 68, {{0, 0}, {33, 0}, {50, 51}, {67, 100}}},
        {0, -50, 0, {0, 34, 100, 67}, 100, {{50, 51}, {99, 67}}},
        {0, 0, 899, {0, 0, 100, 100}, 97, {{1, 63}, {50, 93}, {96, 100}}},
        // Past the first column a point above the square is held to its top, where it ends.
        {50, 0, 899, {0, 50, 50, 100}, 2, {{0, 50}, {1, 100}}},
    };
    for (const auto& [b, c, g, line, count, samples] : cases) {
        SCOPED_TRACE(testing::Message() << "b " << b << " c " << c << " G " << g);
        const GraphLine drawn = ReferenceLine(MakeToneCurve(Record(b, c, g), 100));
        EXPECT_EQ(std::vector<LONG>({drawn.start.x, drawn.start.y, drawn.end.x, drawn.end.y}),
                  line);
        const std::vector<LONG> ys = Columns(Record(b, c, g));
        ASSERT_EQ(ys.size(), count);
        for (const auto& [x, y] : samples) {
            EXPECT_EQ(ys[x], y) << "x = " << x;
        }
        EXPECT_EQ(Columns(Record(b, c, g), true), ys); // no low cut: drawn as it is
    }
    // The offset is half the ramp's span shifted by brightness, rounded toward zero.
    EXPECT_EQ(MakeToneCurve(Record(10, 0, 0), 105).offset, 11);
    EXPECT_EQ(MakeToneCurve(Record(-10, 0, 0), 105).offset, -10);

    // The low cut draws on the bottom row without changing the curve.
    // Below (40 x 100) / 255 = 15 columns, and below the output (64 x 100) / 255 = 25.
    PrinterSettings ps = Record(0, 0, -500, 64);
    ps.LowCutPre = 40;
    std::vector<LONG> drawn = Columns(Record(0, 0, -500));
    EXPECT_EQ(Columns(ps), drawn);
    std::replace_if(
        drawn.begin(), drawn.end(), [](LONG y) { return y < 25; }, 0);
    EXPECT_EQ(Columns(ps, true), drawn);
    EXPECT_EQ(drawn[49] + drawn[50], 0 + 25);
    ps.LowCutPost = 0;
    EXPECT_EQ(Columns(ps, true)[14] + Columns(ps, true)[15], 0 + 2);
}

// (The graph's side and its upward pixels are pinned by the drawing test under Wine.)
TEST(ToneCurve, WildValuesDrawAsTheirLimits) {
    EXPECT_EQ(Columns(Record(0, 100, 0)), Columns(Record(0, 50, 0)));
    EXPECT_EQ(Columns(Record(SHRT_MAX, 0, SHRT_MIN)), Columns(Record(50, 0, -900)));
    EXPECT_EQ(Columns(Record(0, 0, SHRT_MAX)), Columns(Record(0, 0, 899)));
    PrinterSettings cut = Record(0, 0, 0, SHRT_MIN);
    cut.LowCut = -7, cut.LowCutPre = SHRT_MAX; // held to 255: every column
    EXPECT_EQ(Columns(cut, true), std::vector<LONG>(100, 0));
    EXPECT_EQ(CurvePointCount(MakeToneCurve(cut, 1)), 1);
    EXPECT_EQ(CurvePointCount(MakeToneCurve(cut, -40)), 0);
    EXPECT_EQ(ReferenceLine(MakeToneCurve(cut, INT32_MAX)).end.y, kMaxGraphSide);
}

// The tone curve's points on a graph of side 100, and what untrusted records draw.
#include "pages/correction/tone_curve.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Sample {
    LONG x;
    LONG y;
};

struct CurveCase {
    SHORT brightness, contrast, gamma;
    GraphLine reference;
    LONG points;
    Sample samples[6];
};

PrinterSettings Record(SHORT brightness, SHORT contrast, SHORT gamma) {
    PrinterSettings ps{};
    ps.Brightness = brightness;
    ps.Contrast = contrast;
    ps.Gamma = gamma;
    return ps;
}

void ExpectSameCurve(const ToneCurve& a, const ToneCurve& b) {
    EXPECT_EQ(CurvePointCount(a), CurvePointCount(b));
    for (LONG x = 0; x < CurvePointCount(a); ++x) {
        ASSERT_EQ(CurvePointAt(a, x).y, CurvePointAt(b, x).y) << "x = " << x;
    }
}

} // namespace

TEST(ToneCurve, PointsOfTheSquareOfSide100) {
    // Samples with x = 0 past the first stand for "none".
    const CurveCase cases[] = {
        {0,
         0,
         -500,
         {{0, 0}, {100, 100}},
         100,
         {{10, 1}, {25, 6}, {50, 25}, {75, 56}, {90, 81}, {99, 98}}},
        {50, 0, 0, {{0, 50}, {50, 100}}, 51, {{0, 50}, {10, 60}, {49, 99}, {50, 100}}},
        {0, 50, 0, {{33, 0}, {66, 100}}, 68, {{0, 0}, {33, 0}, {50, 51}, {66, 99}, {67, 100}}},
        {0, -50, 0, {{0, 34}, {100, 67}}, 100, {{50, 51}, {99, 67}}},
        {-50, 0, 0, {{49, 0}, {100, 51}}, 100, {{50, 1}, {99, 50}}},
        {0, 0, 899, {{0, 0}, {100, 100}}, 97, {{1, 63}, {50, 93}, {95, 99}, {96, 100}}},
        {0, 0, -900, {{0, 0}, {100, 100}}, 100, {{50, 0}, {75, 6}, {90, 35}, {99, 90}}},
        // Past x = 0 a point above the square is drawn at its top, where the curve ends.
        {50, 0, 899, {{0, 50}, {50, 100}}, 2, {{0, 50}, {1, 100}}},
    };
    for (const CurveCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "b " << c.brightness << " c " << c.contrast << " G " << c.gamma);
        const ToneCurve curve = MakeToneCurve(Record(c.brightness, c.contrast, c.gamma), 100);
        const GraphLine line = ReferenceLine(curve);
        EXPECT_EQ(line.start.x, c.reference.start.x);
        EXPECT_EQ(line.start.y, c.reference.start.y);
        EXPECT_EQ(line.end.x, c.reference.end.x);
        EXPECT_EQ(line.end.y, c.reference.end.y);
        EXPECT_EQ(CurvePointCount(curve), c.points);
        for (int i = 0; i < 6 && (i == 0 || c.samples[i].x != 0); ++i) {
            EXPECT_EQ(CurvePointAt(curve, c.samples[i].x).y, c.samples[i].y)
                << "x = " << c.samples[i].x;
            EXPECT_EQ(CurvePointAt(curve, c.samples[i].x).drawnY, c.samples[i].y);
        }
    }
}

TEST(ToneCurve, BrightnessShiftsByHalfTheRampsSpanRoundedTowardZero) {
    // S = 105, c = 0: A = 105 and O = (210 x b + 100) / 200 + 1 / 2.
    EXPECT_EQ(MakeToneCurve(Record(10, 0, 0), 105).offset, 11);
    EXPECT_EQ(MakeToneCurve(Record(-10, 0, 0), 105).offset, -10);
}

TEST(ToneCurve, LowCutDrawsOnTheBottomRowWithoutChangingTheCurve) {
    PrinterSettings ps = Record(0, 0, -500);
    ps.LowCutPre = 40;  // (40 x 100) / 255 = 15 columns
    ps.LowCutPost = 64; // (64 x 100) / 255 = 25: points below 25
    const ToneCurve plain = MakeToneCurve(ps, 100);
    ps.LowCut = 1;
    const ToneCurve cut = MakeToneCurve(ps, 100);
    ExpectSameCurve(plain, cut);
    EXPECT_EQ(ReferenceLine(cut).end.y, 100);
    EXPECT_EQ(CurvePointAt(cut, 10).drawnY, 0);
    EXPECT_EQ(CurvePointAt(cut, 49).y, 24);
    EXPECT_EQ(CurvePointAt(cut, 49).drawnY, 0);
    EXPECT_EQ(CurvePointAt(cut, 50).drawnY, 25);
    EXPECT_EQ(CurvePointAt(plain, 10).drawnY, 1);

    ps.LowCutPost = 0;
    const ToneCurve inputOnly = MakeToneCurve(ps, 100);
    EXPECT_EQ(CurvePointAt(inputOnly, 14).drawnY, 0);
    EXPECT_EQ(CurvePointAt(inputOnly, 15).drawnY, 2);
}

TEST(ToneCurve, GraphIsTheShorterSideAndGrowsUpwards) {
    EXPECT_EQ(GraphSide({155, 15}, {255, 130}), 100);
    EXPECT_EQ(GraphSide({155, 15}, {300, 105}), 90);
    const POINT bottom = GraphToPixel({155, 15}, 100, 0, 0);
    EXPECT_EQ(bottom.x, 155);
    EXPECT_EQ(bottom.y, 114);
    const POINT aboveTop = GraphToPixel({155, 15}, 100, 100, 100);
    EXPECT_EQ(aboveTop.x, 255);
    EXPECT_EQ(aboveTop.y, 14);
}

TEST(ToneCurve, ValuesFromOutsideThePageDrawAsTheirLimits) {
    ExpectSameCurve(MakeToneCurve(Record(0, 100, 0), 100), MakeToneCurve(Record(0, 50, 0), 100));
    ExpectSameCurve(MakeToneCurve(Record(0, -100, 0), 100), MakeToneCurve(Record(0, -50, 0), 100));
    ExpectSameCurve(MakeToneCurve(Record(SHRT_MAX, 0, SHRT_MIN), 100),
                    MakeToneCurve(Record(50, 0, -900), 100));
    ExpectSameCurve(MakeToneCurve(Record(SHRT_MIN, 0, -1000), 100),
                    MakeToneCurve(Record(-50, 0, -900), 100));
    ExpectSameCurve(MakeToneCurve(Record(0, 0, SHRT_MAX), 100),
                    MakeToneCurve(Record(0, 0, 899), 100));
    PrinterSettings wild = Record(0, 0, 0);
    wild.LowCut = -7;
    wild.LowCutPre = SHRT_MAX;
    wild.LowCutPost = SHRT_MIN;
    const ToneCurve cut = MakeToneCurve(wild, 100);
    EXPECT_EQ(cut.cutInput, 100);
    EXPECT_EQ(cut.cutOutput, 0);
}

TEST(ToneCurve, DegenerateSquares) {
    const PrinterSettings ps = Record(0, 0, -500);
    EXPECT_EQ(CurvePointCount(MakeToneCurve(ps, 1)), 1);
    EXPECT_EQ(CurvePointCount(MakeToneCurve(ps, 0)), 0);
    EXPECT_EQ(CurvePointCount(MakeToneCurve(ps, -40)), 0);
    EXPECT_EQ(MakeToneCurve(ps, INT32_MAX).side, kMaxGraphSide);
    EXPECT_EQ(ReferenceLine(MakeToneCurve(ps, INT32_MAX)).end.y, kMaxGraphSide);
}

// The Slope correction page's rules: the ratio displays, the check box, the spin bars' readings
// and steps, the test-print buttons and the service corner.
#include "pages/slope/slope_model.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct Ratio {
    LONG a;
    LONG b;
    LONG shown;
};

} // namespace

TEST(SlopeRatio, FourHundredTimesTheDifferenceOverTheSumTruncatedTowardZero) {
    const Ratio cases[] = {
        {10, 10, 0},  {10, 12, 36},  {25, 1, -369}, {1, 25, 369}, {1, 2, 133}, {2, 1, -133},
        // A record from elsewhere: no division by a zero sum, no overflow of the 32-bit result.
        {0, 0, 0},    {-3, 3, 0},    {0, 10, 400},  {-1, 2, 1200},
        {INT32_MIN, INT32_MAX, INT32_MIN},          {INT32_MAX, INT32_MIN, INT32_MAX},
        {INT32_MAX, INT32_MAX, 0},
    };
    for (const Ratio& c : cases) {
        EXPECT_EQ(SlopeRatio(c.a, c.b), c.shown) << c.a << ", " << c.b;
    }
}

TEST(SlopeControls, TheSwitchDecidesTheCheckAndTheReadingsBothRatiosAlwaysShow) {
    PrinterSettings ps{};
    ps.Rear = 10;
    ps.Front = 12;
    ps.Left = 25;
    ps.Right = 1;
    for (BYTE stored : {0, 1, 2, 255}) {
        ps.CorrectSlope = stored;
        const SlopeControls c = GetSlopeControls(ps);
        EXPECT_EQ(c.checked, stored != 0);
        EXPECT_EQ(c.readingsActive, stored != 0);
        EXPECT_EQ(c.frontRearRatio, 36);
        EXPECT_EQ(c.leftRightRatio, -369);
    }
}

TEST(SlopeControls, CheckBoxTurnsOffAnythingButZero) {
    PrinterSettings ps{};
    for (BYTE before : {0, 1, 2, 255}) {
        ps.CorrectSlope = before;
        ToggleCorrectSlope(&ps);
        EXPECT_EQ(ps.CorrectSlope, before == 0 ? 1 : 0);
    }
}

TEST(SlopeReadings, EachEditAndSpinBarServesItsOwnReading) {
    struct Expected {
        int edit;
        int spin;
        int ratio;
        LONG PrinterSettings::*value;
    };
    // The right spin bar (812) serves the right edit (809), the left one (813) the left edit.
    const Expected table[] = {
        {806, 810, 815, &PrinterSettings::Rear},
        {807, 811, 815, &PrinterSettings::Front},
        {808, 813, 814, &PrinterSettings::Left},
        {809, 812, 814, &PrinterSettings::Right},
    };
    for (const Expected& e : table) {
        const SlopeReading* byEdit = FindReadingOfEdit(e.edit);
        const SlopeReading* bySpin = FindReadingOfSpin(e.spin);
        ASSERT_NE(byEdit, nullptr) << e.edit;
        EXPECT_EQ(byEdit, bySpin) << e.spin;
        EXPECT_EQ(byEdit->spin, e.spin);
        EXPECT_EQ(byEdit->ratio, e.ratio);
        EXPECT_TRUE(byEdit->value == e.value) << e.edit;
    }
    for (int other : {801, 805, 814, 815, 816, 103}) {
        EXPECT_EQ(FindReadingOfEdit(other), nullptr) << other;
        EXPECT_EQ(FindReadingOfSpin(other), nullptr) << other;
    }
}

TEST(SlopeReadings, ThePairOfEachDisplay) {
    PrinterSettings ps{};
    ps.Rear = 10;
    ps.Front = 12;
    ps.Left = 1;
    ps.Right = 2;
    EXPECT_EQ(PairRatio(ps, IDC_FRONT_BACK_RATIO), 36);
    EXPECT_EQ(PairRatio(ps, IDC_LEFT_RIGHT_RATIO), 133);
}

TEST(SlopeReadings, LineUpAndLineDownStepByOneWithinOneToTwentyFive) {
    struct Step {
        LONG current;
        int code;
        LONG stepped;
    };
    const Step steps[] = {{10, 0, 11}, {10, 1, 9}, {25, 0, 25}, {1, 1, 1}, {24, 0, 25}, {2, 1, 1}};
    for (const Step& s : steps) {
        LONG stepped = -99;
        EXPECT_TRUE(SpinReading(s.current, s.code, &stepped));
        EXPECT_EQ(stepped, s.stepped) << s.current << " code " << s.code;
    }
    // Page, thumb and end codes move no value.
    for (int code : {2, 3, 4, 5, 6, 7, 8, -1}) {
        LONG stepped = -99;
        EXPECT_FALSE(SpinReading(10, code, &stepped)) << code;
        EXPECT_EQ(stepped, -99);
    }
}

TEST(SlopeButtons, EachTestPrintButtonSendsItsPattern) {
    EXPECT_EQ(TestPrintPattern(816), 2);
    EXPECT_EQ(TestPrintPattern(817), 1);
    EXPECT_EQ(TestPrintPattern(818), 0);
    for (int other : {801, 806, 815, 819, 0}) {
        EXPECT_EQ(TestPrintPattern(other), -1) << other;
    }
}

TEST(SlopeServiceCorner, OnlyTheChordInsideOneToFifteenReveals) {
    struct Click {
        int x;
        int y;
        bool chord;
        bool reveals;
    };
    const Click clicks[] = {
        {15, 15, true, true},  {1, 1, true, true},    {16, 3, true, false}, {3, 16, true, false},
        {0, 5, true, false},   {5, 0, true, false},   {5, 5, false, false}, {15, 15, false, false},
        {-3, 5, true, false},
    };
    for (const Click& c : clicks) {
        EXPECT_EQ(RevealsServiceControls(c.x, c.y, c.chord), c.reveals)
            << c.x << ", " << c.y << (c.chord ? " with" : " without") << " the chord";
    }
}

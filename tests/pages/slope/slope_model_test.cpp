// The Slope correction page's rules: the ratio displays, the check box, the readings that the
// edits and spin bars serve, their steps, the test-print buttons and the service corner.
#include "pages/slope/slope_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(SlopeModel, RatiosReadingsSwitchSpinsButtonsAndTheCorner) {
    // A ratio is four hundred times the difference over the sum, truncated toward zero.
    // Past the first four rows, a record from elsewhere: no division by a zero sum, no overflow of
    // the 32-bit result.
    const LONG lo = INT32_MIN, hi = INT32_MAX;
    const LONG cases[][3] = {{10, 10, 0}, {10, 12, 36},  {25, 1, -369}, {1, 2, 133}, {0, 0, 0},
                             {-3, 3, 0},  {-1, 2, 1200}, {lo, hi, lo},  {hi, lo, hi}};
    for (const auto& c : cases) {
        EXPECT_EQ(SlopeRatio(c[0], c[1]), c[2]) << c[0] << ", " << c[1];
    }
    // Each edit and spin bar serves its reading; any nonzero switch enables them.
    PrinterSettings ps{};
    ps.Rear = 1, ps.Front = 2, ps.Left = 3, ps.Right = 4;
    // edit, spin bar, the reading's value, the ratio its pair's display shows
    const LONG table[][4] = {
        {806, 810, 1, 133}, {807, 811, 2, 133}, {808, 813, 3, 57}, {809, 812, 4, 57}};
    for (const auto& t : table) {
        const SlopeReading* reading = FindReadingOfEdit(t[0]);
        ASSERT_NE(reading, nullptr) << t[0];
        EXPECT_EQ(FindReadingOfSpin(t[1]), reading) << t[1];
        EXPECT_EQ(ps.*reading->value, t[2]);
        EXPECT_EQ(PairRatio(ps, reading->ratio), t[3]);
    }
    EXPECT_EQ(FindReadingOfEdit(810), nullptr);
    for (BYTE stored : {0, 1, 2, 255}) {
        ps.CorrectSlope = stored;
        const SlopeControls c = GetSlopeControls(ps);
        EXPECT_EQ(c.checked + c.readingsActive, stored != 0 ? 2 : 0);
        EXPECT_EQ(c.frontRearRatio * 1000 + c.leftRightRatio, 133057);
        ToggleCorrectSlope(&ps);
        EXPECT_EQ(ps.CorrectSlope, stored == 0 ? 1 : 0);
    }
    // Spins step within 1..25: the reading, a scroll code, the stepped reading (0 where the code
    // changes nothing).
    const LONG steps[][3] = {{10, 0, 11}, {10, 1, 9}, {25, 0, 25}, {1, 1, 1},
                             {10, 2, 0},  {10, 5, 0}, {10, 8, 0},  {10, -1, 0}};
    for (const auto& s : steps) {
        LONG stepped = 0;
        EXPECT_EQ(SpinReading(s[0], static_cast<int>(s[1]), &stepped), s[2] != 0);
        EXPECT_EQ(stepped, s[2]) << s[0] << " code " << s[1];
    }
    // The buttons' patterns; the console tool refuses the patterns -1 and 99999 through the
    // same check.
    EXPECT_EQ(std::vector<LONG>({TestPrintPattern(816), TestPrintPattern(817),
                                 TestPrintPattern(818), TestPrintPattern(801)}),
              (std::vector<LONG>{2, 1, 0, -1}));
    EXPECT_TRUE(IsTestPrintPattern(0) && IsTestPrintPattern(2) && !IsTestPrintPattern(3));
    // x, y, chord held, reveals
    const int clicks[][4] = {{15, 15, 1, 1}, {1, 1, 1, 1}, {16, 3, 1, 0},
                             {0, 5, 1, 0},   {5, 5, 0, 0}, {3, 16, 1, 0}};
    for (const auto& c : clicks) {
        EXPECT_EQ(RevealsServiceControls(c[0], c[1], c[2] != 0), c[3] != 0) << c[0] << "," << c[1];
    }
}

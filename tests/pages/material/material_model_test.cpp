// The Material page's rules: what a field takes over, what a spin stores, the offset rules, the
// resolution list, the switches, the extended size and the service corner.
#include "pages/material/material_model.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Text = std::basic_string<WCHAR>;

PrinterSettings Record(SHORT unit, SHORT limit, SHORT x = 500, SHORT y = 500) {
    PrinterSettings ps{};
    ps.UserUnit = unit;
    ps.LimitX = ps.LimitY = limit;
    ps.UserDefinedX = x;
    ps.UserDefinedY = y;
    return ps;
}

SHORT Field(PrinterSettings ps, int id) {
    return *LengthOfField(&ps, id);
}

} // namespace

TEST(MaterialModel, TakingOverAFieldLimitsTheTypedLength) {
    struct Case {
        SHORT unit, limit, x, y;
        int field;
        const WCHAR* text;
        SHORT stored;
    } cases[] = {
        {0, 500, 500, 500, IDC_WIDTH_EDIT, TEXT("600"), 500},
        {0, 500, 500, 500, IDC_LENGTH_EDIT, TEXT("3"), 51},
        {1, 500, 500, 500, IDC_LENGTH_EDIT, TEXT("1.31"), 332}, // 33.3 mm shown as 1.31 inch
        {0, 800, 500, 700, IDC_LENGTH_EDIT, TEXT("75.5"), 755},
        // Limits no page wrote are read within 5.1 to 80.0 mm.
        {0, 0, 500, 500, IDC_WIDTH_EDIT, TEXT("60"), 51},
        {0, 30000, 500, 500, IDC_LENGTH_EDIT, TEXT("99"), 800},
        {0, 500, 500, 500, IDC_OFFSET_X_EDIT, TEXT("5"), 30},
        {0, 500, 500, 500, IDC_OFFSET_Y_EDIT, TEXT("-5"), -30},
        {1, 500, 500, 500, IDC_OFFSET_Y_EDIT, TEXT("-0.1"), -25},
        // The offset rules run after the value is stored.
        {0, 800, 780, 500, IDC_OFFSET_X_EDIT, TEXT("3.0"), 10},
        {0, 800, 780, 500, IDC_OFFSET_X_EDIT, TEXT("-3.0"), -30},
        {0, 800, 500, 780, IDC_OFFSET_Y_EDIT, TEXT("-3.0"), -10},
        {0, 800, 500, 780, IDC_OFFSET_Y_EDIT, TEXT("3.0"), 30},
    };
    for (const Case& c : cases) {
        PrinterSettings ps = Record(c.unit, c.limit, c.x, c.y);
        TakeOverLength(&ps, c.field, c.text);
        EXPECT_EQ(Field(ps, c.field), c.stored) << c.field << " " << c.stored;
    }
    PrinterSettings ps = Record(0, 500);
    const PrinterSettings before = ps;
    TakeOverLength(&ps, IDC_UNIT_MM, TEXT("7"));
    EXPECT_EQ(memcmp(&ps, &before, sizeof ps), 0);
}

TEST(MaterialModel, SpinsStepFromTheFieldText) {
    struct Case {
        SHORT unit, limit;
        int spin;
        const WCHAR* text;
        int code;
        SHORT stored;
    } cases[] = {
        {0, 500, IDC_WIDTH_SPIN, TEXT("49.5"), 0, 500},
        {0, 500, IDC_WIDTH_SPIN, TEXT("50.0"), 0, 500},
        {1, 800, IDC_WIDTH_SPIN, TEXT("1.97"), 0, 526},
        {0, 500, IDC_LENGTH_SPIN, TEXT("5.5"), 1, 51},
        {0, 500, IDC_LENGTH_SPIN, TEXT("30"), 1, 290},
        {0, 500, IDC_OFFSET_X_SPIN, TEXT("0"), 1, -1},
        {0, 500, IDC_OFFSET_Y_SPIN, TEXT("2.9"), 0, 30},
        {0, 500, IDC_OFFSET_Y_SPIN, TEXT("-3.0"), 1, -30},
        // The offset rules run after the step.
        {0, 800, IDC_WIDTH_SPIN, TEXT("77.5"), 0, 785},
    };
    for (const Case& c : cases) {
        PrinterSettings ps = Record(c.unit, c.limit);
        ps.OffsetX = 20;
        EXPECT_TRUE(SpinLength(&ps, FieldOfSpin(c.spin), c.text, c.code));
        EXPECT_EQ(Field(ps, FieldOfSpin(c.spin)), c.stored) << c.spin << " " << c.stored;
        if (c.stored == 785) {
            EXPECT_EQ(ps.OffsetX, 7);
        }
    }
    // Thumb, page and end-of-scroll events store nothing.
    PrinterSettings ps = Record(0, 500);
    for (int code : {2, 3, 4, 5, 8}) {
        EXPECT_FALSE(SpinLength(&ps, IDC_WIDTH_EDIT, TEXT("10"), code));
    }
    EXPECT_FALSE(SpinLength(&ps, FieldOfSpin(IDC_UNIT_LABEL), TEXT("10"), 0));
    EXPECT_EQ(ps.UserDefinedX, 500);
}

TEST(MaterialModel, OffsetRulesKeepTheWorkInsideTheMarkingField) {
    struct Case {
        SHORT x, y, offsetX, offsetY, wantX, wantY;
    } cases[] = {
        {500, 500, 30, -30, 30, -30}, // ordinary sizes never trigger them
        {780, 780, 30, -30, 10, -10}, {780, 780, -30, 30, -30, 30},
        {800, 800, 1, -1, 0, 0},      {799, 799, 1, -1, 0, 0}, // truncating toward zero
        {800, 800, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        PrinterSettings ps = Record(0, 800, c.x, c.y);
        ps.OffsetX = c.offsetX;
        ps.OffsetY = c.offsetY;
        ApplyOffsetRules(&ps);
        EXPECT_EQ(ps.OffsetX, c.wantX) << c.x;
        EXPECT_EQ(ps.OffsetY, c.wantY) << c.y;
    }
}

TEST(MaterialModel, ResolutionListForBothBaseResolutions) {
    const struct {
        SHORT base;
        const char* entries[kResolutionEntries];
    } lists[] = {
        {1016, {" 339 ", " 254 ", " 203 ", " 169 ", " 145 ", " 127 ", " 113 ", " 102 "}},
        {1058, {" 353 ", " 265 ", " 212 ", " 176 ", " 151 ", " 132 ", " 118 ", " 106 "}},
    };
    for (const auto& list : lists) {
        for (int i = 0; i < kResolutionEntries; ++i) {
            WCHAR text[kResolutionChars];
            FormatResolutionEntry(text, list.base, i + kFirstFrameIdx);
            const std::string expected = list.entries[i];
            EXPECT_EQ(Text(text), Text(expected.begin(), expected.end())) << list.base << " " << i;
        }
    }
    for (LONG idx : {-1, 0, 1, 2, 11, 32767}) {
        EXPECT_EQ(SelectedFrameIdx(idx), 5) << idx;
    }
    EXPECT_EQ(SelectedFrameIdx(3), 3);
    EXPECT_EQ(SelectedFrameIdx(10), 10);
    EXPECT_EQ(FrameIdxOfSelection(-1), 3);
    EXPECT_EQ(FrameIdxOfSelection(0), 3);
    EXPECT_EQ(FrameIdxOfSelection(7), 10);
}

TEST(MaterialModel, SwitchesToggleBetweenZeroAndOne) {
    for (int id : {IDC_PRINT_FROM_BOTTOM, IDC_BIDIRECTION, IDC_PREVIEW, IDC_UPPER_LEFT_ORIGIN}) {
        PrinterSettings ps{};
        ToggleSwitch(&ps, id);
        EXPECT_TRUE(SwitchState(ps, id)) << id;
        ToggleSwitch(&ps, id);
        EXPECT_FALSE(SwitchState(ps, id)) << id;
        // Each check box owns one field.
        ps.ReverseDir = ps.FileOutput = ps.ULOrigin = 7;
        ps.BiDir = 7;
        ToggleSwitch(&ps, id);
        EXPECT_FALSE(SwitchState(ps, id)) << id;
        const int others =
            (ps.ReverseDir == 7) + (ps.FileOutput == 7) + (ps.ULOrigin == 7) + (ps.BiDir == 7);
        EXPECT_EQ(others, 3) << id;
    }
    EXPECT_FALSE(SwitchShowsInWorkView(IDC_PREVIEW));
    EXPECT_TRUE(SwitchShowsInWorkView(IDC_BIDIRECTION));
}

TEST(MaterialModel, CompressionMarksOneButtonOrNone) {
    PrinterSettings ps{};
    for (BYTE mode = 0; mode < 3; ++mode) {
        ps.CmpMode = mode;
        EXPECT_EQ(CompressionButton(ps), IDC_COMPRESSION_NONE + mode);
    }
    ps.CmpMode = 3;
    EXPECT_EQ(CompressionButton(ps), 0);
    SetCompression(&ps, IDC_COMPRESSION_TIFF);
    EXPECT_EQ(ps.CmpMode, 2);
}

TEST(MaterialModel, ExtendedSizeSetsTheLimitsAndCutsSizesWhenOff) {
    PrinterSettings ps = Record(0, 800, 700, 600);
    ps.ExtendedSize = 1;
    ps.OffsetX = 25;
    EXPECT_FALSE(ToggleExtendedSize(&ps));
    EXPECT_EQ(ps.ExtendedSize, 0);
    EXPECT_EQ(ps.LimitX, 500);
    EXPECT_EQ(ps.LimitY, 500);
    EXPECT_EQ(ps.UserDefinedX, 500);
    EXPECT_EQ(ps.UserDefinedY, 500);
    EXPECT_EQ(ps.OffsetX, 25);
    EXPECT_TRUE(ToggleExtendedSize(&ps));
    EXPECT_EQ(ps.ExtendedSize, 1);
    EXPECT_EQ(ps.LimitX, 800);
    EXPECT_EQ(ps.LimitY, 800);
    EXPECT_EQ(ps.UserDefinedX, 500);
    PrinterSettings low = Record(0, 800, 420, 499);
    ToggleExtendedSize(&low); // 0 -> on: nothing cut
    ToggleExtendedSize(&low);
    EXPECT_EQ(low.UserDefinedX, 420);
    EXPECT_EQ(low.UserDefinedY, 499);
}

TEST(MaterialModel, ServiceControlsOnlyInTheCornerWithTheWholeChord) {
    const struct {
        LONG x, y;
        bool middle, alt, shift, reveals;
    } cases[] = {
        {8, 8, true, true, true, true},   {1, 15, true, true, true, true},
        {15, 1, true, true, true, true},  {0, 8, true, true, true, false},
        {8, 0, true, true, true, false},  {16, 8, true, true, true, false},
        {8, 16, true, true, true, false}, {8, 8, false, true, true, false},
        {8, 8, true, false, true, false}, {8, 8, true, true, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RevealsServiceControls(c.x, c.y, c.middle, c.alt, c.shift), c.reveals)
            << c.x << "," << c.y << " " << c.middle << c.alt << c.shift;
    }
}

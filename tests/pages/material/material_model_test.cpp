// The Material page's rules: lengths taken over and spun, the offset rules, the resolution list,
// the switches, the extended size and the service corner; the settings file's text rules and
// what every load does to the record.
#include "pages/material/material_model.h"

#include "pages/material/settings_file.h"
#include "resources/resource.h"
#include "tests/support/devmode_bytes.h"

#include <tuple>
#include <vector>

TEST(MaterialModel, LengthsTakenOverOrSpunStayWithinTheirLimits) {
    constexpr int kTakeOver = -1, T = kTakeOver, W = IDC_WIDTH_EDIT, L = IDC_LENGTH_EDIT;
    constexpr int X = IDC_OFFSET_X_EDIT, Y = IDC_OFFSET_Y_EDIT;
    // clang-format off
    // unit, limit, x, y; the field, a spin's scroll code (0 up, 1 down) or kTakeOver; its text;
    // the value stored
    const std::tuple<SHORT, SHORT, SHORT, SHORT, int, int, const char*, SHORT> cases[] = {
        {0, 500, 500, 500, W, T, "600", 500}, {0, 500, 500, 500, L, T, "3", 51},
        // 33.3 mm shows as 1.31; limits are read in 51..800.
        {1, 500, 500, 500, L, T, "1.31", 332}, {0, 0, 500, 500, W, T, "60", 51},
        {0, 30000, 500, 500, L, T, "99", 800},
        // The offset rules: positive horizontal, negative vertical offsets, each bound by its own
        // size; 780 + 20 is at the limit.
        {0, 500, 500, 500, X, T, "5", 30}, {0, 800, 780, 500, X, T, "3.0", 10},
        {0, 800, 500, 780, Y, T, "-3.0", -10}, {0, 500, 500, 500, W, 0, "49.5", 500},
        {1, 800, 500, 500, W, 0, "1.97", 526}, {0, 500, 500, 500, L, 1, "5.5", 51},
        {0, 500, 500, 500, X, 1, "0", -1}, {0, 800, 800, 780, Y, 1, "-0.9", -10}};
    // clang-format on
    for (const auto& [unit, limit, x, y, field, code, text, stored] : cases) {
        PrinterSettings ps{};
        ps.UserUnit = unit, ps.LimitX = ps.LimitY = limit, ps.UserDefinedX = x, ps.UserDefinedY = y;
        const auto wide = testdm::Wide(text);
        if (code == kTakeOver) {
            TakeOverLength(&ps, field, wide.c_str());
        } else {
            EXPECT_TRUE(SpinLength(&ps, field, wide.c_str(), code));
        }
        EXPECT_EQ(*LengthOfField(&ps, field), stored) << field << " " << text;
    }
    // A spin of a size applies the rules: 781 + 2 x 10 is past 800, the offsets truncate to 9.
    PrinterSettings ps{};
    ps.LimitX = ps.LimitY = 800, ps.UserDefinedY = 781, ps.OffsetX = 10, ps.OffsetY = -10;
    EXPECT_TRUE(SpinLength(&ps, IDC_WIDTH_EDIT, TEXT("77.1"), 0));
    EXPECT_EQ(std::pair(ps.OffsetX, ps.OffsetY), (std::pair<SHORT, SHORT>(9, -9)));
    EXPECT_EQ(FieldOfSpin(IDC_OFFSET_Y_SPIN), IDC_OFFSET_Y_EDIT);
    EXPECT_EQ(FieldOfSpin(IDC_UNIT_LABEL), 0);
    // Thumb, page and end-of-scroll events store nothing.
    EXPECT_FALSE(SpinLength(&ps, W, TEXT("10"), 2) || SpinLength(&ps, W, TEXT("10"), 4) ||
                 SpinLength(&ps, W, TEXT("10"), 5) || SpinLength(&ps, W, TEXT("10"), 8));
    TakeOverLength(&ps, IDC_UNIT_MM, TEXT("7"));
    EXPECT_EQ(ps.UserDefinedX, 781);
}

TEST(MaterialModel, ResolutionListSwitchesExtendedSizeAndTheServiceCorner) {
    // The list rounds each base and falls back to its third entry.
    WCHAR text[kResolutionChars];
    FormatResolutionEntry(text, 1016, 3);
    EXPECT_EQ(testdm::Text(text), u" 339 ");
    const LONG selected[][2] = {{0, 5}, {2, 5}, {3, 3}, {10, 10}, {11, 5}, {32767, 5}};
    for (const auto& s : selected) {
        EXPECT_EQ(SelectedFrameIdx(s[0]), s[1]) << s[0];
    }
    EXPECT_EQ(FrameIdxOfSelection(-1), 3); // no selection reads as the first entry
    EXPECT_EQ(FrameIdxOfSelection(7), 10);
    // The switches, the compression and the extended size.
    for (int id : {IDC_PRINT_FROM_BOTTOM, IDC_BIDIRECTION, IDC_PREVIEW, IDC_UPPER_LEFT_ORIGIN}) {
        PrinterSettings ps{};
        ps.ReverseDir = ps.FileOutput = ps.ULOrigin = ps.BiDir = 7;
        ToggleSwitch(&ps, id); // each box owns one field, any nonzero reads as on
        EXPECT_FALSE(SwitchState(ps, id));
        EXPECT_EQ(ps.ReverseDir + ps.FileOutput + ps.ULOrigin + ps.BiDir, 3 * 7);
        ToggleSwitch(&ps, id);
        EXPECT_EQ(ps.ReverseDir + ps.FileOutput + ps.ULOrigin + ps.BiDir, 3 * 7 + 1);
        EXPECT_TRUE(SwitchState(ps, id));
        EXPECT_EQ(SwitchShowsInWorkView(id), id != IDC_PREVIEW);
    }
    PrinterSettings ps{};
    ps.CmpMode = 3;
    const int unknown = CompressionButton(ps);
    SetCompression(&ps, IDC_COMPRESSION_TIFF);
    EXPECT_EQ(std::pair(unknown, CompressionButton(ps)), std::pair(0, int{IDC_COMPRESSION_TIFF}));

    // Off cuts the sizes to the ordinary limit; on only raises the limits.
    ps.ExtendedSize = 1, ps.UserDefinedX = 700, ps.UserDefinedY = 499;
    EXPECT_FALSE(ToggleExtendedSize(&ps));
    EXPECT_EQ(ps.LimitX + ps.LimitY + ps.UserDefinedX + ps.UserDefinedY, 500 + 500 + 500 + 499);
    EXPECT_TRUE(ToggleExtendedSize(&ps));
    EXPECT_EQ(ps.LimitX + ps.LimitY + ps.UserDefinedX + ps.ExtendedSize, 800 + 800 + 500 + 1);

    // The service controls only in the corner with the whole chord.
    const int clicks[][6] = {// x, y, middle button, Alt, Shift held; reveals
                             {8, 8, 1, 1, 1, 1}, {16, 8, 1, 1, 1, 0}, {8, 16, 1, 1, 1, 0},
                             {8, 8, 0, 1, 1, 0}, {8, 8, 1, 0, 1, 0},  {8, 8, 1, 1, 0, 0}};
    for (const auto& c : clicks) {
        EXPECT_EQ(RevealsServiceControls(c[0], c[1], c[2], c[3], c[4]), c[5] != 0)
            << c[0] << "," << c[1] << " " << c[2] << c[3] << c[4];
    }
}

TEST(SettingsFile, FilterTextVersionAndWhatEveryLoadDoes) {
    WCHAR load[] = TEXT("All Files|*.*|Settings|*.txt|");
    CharToNulls(load, '|');
    EXPECT_EQ(memcmp(load, TEXT("All Files\0*.*\0Settings\0*.txt\0"), sizeof load), 0);
    EXPECT_TRUE(IsSettingsVersion(TEXT("Version 1.00")));
    for (LPCWSTR other : {TEXT("Version 1.0"), TEXT("version 1.00"), TEXT("Version 1.000")}) {
        EXPECT_FALSE(IsSettingsVersion(other));
    }
    // A load brings the limits into range and cuts the sizes to them.
    const SHORT cases[][4] = {// limit, size, then both after the load
                              {1000, 900, 800, 800}, {30, 40, 51, 40}, {500, 600, 500, 500},
                              {800, 600, 800, 600},  {51, 51, 51, 51}, {-5, 700, 51, 51}};
    for (const auto& c : cases) {
        PrinterSettings ps{};
        ps.LimitX = ps.LimitY = c[0];
        ps.UserDefinedX = ps.UserDefinedY = c[1];
        FinishSettingsLoad(&ps, 3);
        EXPECT_EQ(std::vector<LONG>({ps.LimitX, ps.LimitY, ps.UserDefinedX, ps.UserDefinedY,
                                     ps.EnableExtendedSize}),
                  std::vector<LONG>({c[2], c[2], c[3], c[3], 3}));
    }
}

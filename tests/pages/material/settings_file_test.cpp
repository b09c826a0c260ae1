// The settings file's text rules and what every load does to the record.
#include "pages/material/settings_file.h"

#include <gtest/gtest.h>

TEST(SettingsFile, FilterTextsBecomePairsEndedByAnEmptyString) {
    WCHAR load[] = TEXT("All Files|*.*|Settings|*.txt|");
    CharToNulls(load, '|');
    const WCHAR expected[] = TEXT("All Files\0*.*\0Settings\0*.txt\0");
    EXPECT_EQ(memcmp(load, expected, sizeof expected), 0);
    WCHAR plain[] = TEXT("a;b");
    CharToNulls(plain, '|');
    EXPECT_EQ(plain[1], ';');
}

TEST(SettingsFile, OnlyTheExactVersionIsTakenOver) {
    EXPECT_TRUE(IsSettingsVersion(TEXT("Version 1.00")));
    for (LPCWSTR other : {TEXT("Version 1.0"), TEXT("version 1.00"), TEXT("Version 1.000"),
                          TEXT("0000"), TEXT("")}) {
        EXPECT_FALSE(IsSettingsVersion(other));
    }
}

TEST(SettingsFile, LoadBringsLimitsIntoRangeAndCutsSizes) {
    struct Case {
        SHORT limit, size, wantLimit, wantSize;
    } cases[] = {
        {1000, 900, 800, 800}, {30, 40, 51, 40}, // sizes below 51 are not raised
        {500, 600, 500, 500},  {800, 600, 800, 600}, {51, 51, 51, 51}, {-5, 700, 51, 51},
    };
    for (const Case& c : cases) {
        PrinterSettings ps{};
        ps.LimitX = ps.LimitY = c.limit;
        ps.UserDefinedX = ps.UserDefinedY = c.size;
        FinishSettingsLoad(&ps, 0);
        EXPECT_EQ(ps.LimitX, c.wantLimit) << c.limit;
        EXPECT_EQ(ps.LimitY, c.wantLimit) << c.limit;
        EXPECT_EQ(ps.UserDefinedX, c.wantSize) << c.limit;
        EXPECT_EQ(ps.UserDefinedY, c.wantSize) << c.limit;
        EXPECT_EQ(ps.EnableExtendedSize, 0);
    }
    PrinterSettings ps{};
    ps.LimitX = 800;
    ps.LimitY = 500;
    ps.UserDefinedX = ps.UserDefinedY = 700;
    FinishSettingsLoad(&ps, 3);
    EXPECT_EQ(ps.UserDefinedX, 700);
    EXPECT_EQ(ps.UserDefinedY, 500);
    EXPECT_EQ(ps.EnableExtendedSize, 3);
}

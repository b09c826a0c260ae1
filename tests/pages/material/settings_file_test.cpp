// The settings file's text rules and what every load does to the record.
#include "pages/material/settings_file.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SettingsFile, FilterTextAndVersion) {
    WCHAR load[] = TEXT("All Files|*.*|Settings|*.txt|");
    CharToNulls(load, '|');
    EXPECT_EQ(memcmp(load, TEXT("All Files\0*.*\0Settings\0*.txt\0"), sizeof load), 0);
    EXPECT_TRUE(IsSettingsVersion(TEXT("Version 1.00")));
    for (LPCWSTR other : {TEXT("Version 1.0"), TEXT("version 1.00"), TEXT("Version 1.000")}) {
        EXPECT_FALSE(IsSettingsVersion(other));
    }
}

TEST(SettingsFile, LoadBringsLimitsIntoRangeAndCutsSizes) {
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

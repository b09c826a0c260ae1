// The ranges the pages keep the record's fields in: each row puts one value into a default record
// and names the field that is then first out of range, or none.
#include "pages/kept_ranges.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using WString = std::basic_string<WCHAR>;

struct Row {
    std::function<void(PrinterSettings&)> edit;
    LPCWSTR field; // null: every field in range
    LPCWSTR set;
    int preset;
    int64_t value;
    ValueRange range;
};

WString Text(LPCWSTR text) {
    return text != nullptr ? WString(text) : WString();
}

} // namespace

TEST(KeptRanges, TheFirstFieldOutOfItsRangeIsNamedWithItsValueAndRange) {
    const LPCWSTR none = nullptr;
    const Row rows[] = {
        {[](PrinterSettings&) {}, none, none, -1, 0, {}},
        {[](PrinterSettings& p) { p.UserDefinedX = -100; },
         TEXT("UserDefinedX"),
         none,
         -1,
         -100,
         {51, 500}},
        {[](PrinterSettings& p) { p.UserDefinedY = 501; },
         TEXT("UserDefinedY"),
         none,
         -1,
         501,
         {51, 500}},
        {[](PrinterSettings& p) { p.LimitX = 800, p.UserDefinedX = 800; }, none, none, -1, 0, {}},
        {[](PrinterSettings& p) { p.LimitX = 1000; }, TEXT("LimitX"), none, -1, 1000, {51, 800}},
        {[](PrinterSettings& p) { p.LimitY = 50, p.UserDefinedY = 51; },
         TEXT("LimitY"),
         none,
         -1,
         50,
         {51, 800}},
        // The offset rules: (800 - 780) / 2 = 10 bounds the horizontal offset, and the vertical
        // offset from below.
        {[](PrinterSettings& p) { p.LimitX = 800, p.UserDefinedX = 780, p.OffsetX = 11; },
         TEXT("OffsetX"),
         none,
         -1,
         11,
         {-30, 10}},
        {[](PrinterSettings& p) { p.LimitY = 800, p.UserDefinedY = 780, p.OffsetY = -11; },
         TEXT("OffsetY"),
         none,
         -1,
         -11,
         {-10, 30}},
        {[](PrinterSettings& p) { p.OffsetX = -31; }, TEXT("OffsetX"), none, -1, -31, {-30, 30}},
        {[](PrinterSettings& p) { p.OffsetY = 30, p.OffsetX = 30; }, none, none, -1, 0, {}},
        {[](PrinterSettings& p) { p.Material = 9; }, TEXT("Material"), none, -1, 9, {0, 8}},
        {[](PrinterSettings& p) { p.UserUnit = 2; }, TEXT("UserUnit"), none, -1, 2, {0, 1}},
        {[](PrinterSettings& p) { p.DitherPat = 4; }, TEXT("DitherPat"), none, -1, 4, {0, 3}},
        {[](PrinterSettings& p) { p.Gamma = -901; }, TEXT("Gamma"), none, -1, -901, {-900, 899}},
        {[](PrinterSettings& p) { p.Gamma = 900; }, TEXT("Gamma"), none, -1, 900, {-900, 899}},
        {[](PrinterSettings& p) { p.Brightness = 30000; },
         TEXT("Brightness"),
         none,
         -1,
         30000,
         {-50, 50}},
        {[](PrinterSettings& p) { p.Contrast = -51; }, TEXT("Contrast"), none, -1, -51, {-50, 50}},
        {[](PrinterSettings& p) { p.PassMethod = 6; }, TEXT("PassMethod"), none, -1, 6, {0, 5}},
        {[](PrinterSettings& p) { p.Nega = -1; }, TEXT("Nega"), none, -1, -1, {0, 1}},
        {[](PrinterSettings& p) { p.Draft = 4; }, TEXT("Draft"), none, -1, 4, {0, 3}},
        {[](PrinterSettings& p) { p.LowCutPre = 256; }, TEXT("LowCutPre"), none, -1, 256, {0, 255}},
        {[](PrinterSettings& p) { p.LowCutPost = -1; }, TEXT("LowCutPost"), none, -1, -1, {0, 255}},
        {[](PrinterSettings& p) { p.FrameDpiIdx = 2; }, TEXT("FrameDpiIdx"), none, -1, 2, {3, 10}},
        {[](PrinterSettings& p) { p.FrameDpiIdx = 11; },
         TEXT("FrameDpiIdx"),
         none,
         -1,
         11,
         {3, 10}},
        {[](PrinterSettings& p) { p.ReverseDir = 255; }, TEXT("ReverseDir"), none, -1, 255, {0, 1}},
        {[](PrinterSettings& p) { p.CmpMode = 3; }, TEXT("CmpMode"), none, -1, 3, {0, 2}},
        {[](PrinterSettings& p) { p.Rear = 0; }, TEXT("Rear"), none, -1, 0, {1, 25}},
        {[](PrinterSettings& p) { p.Right = 26; }, TEXT("Right"), none, -1, 26, {1, 25}},
        {[](PrinterSettings& p) { p.CorrectSlope = 2; }, TEXT("CorrectSlope"), none, -1, 2, {0, 1}},
        {[](PrinterSettings& p) { p.ImpactPattern = 2; },
         TEXT("ImpactPattern"),
         none,
         -1,
         2,
         {0, 1}},
        {[](PrinterSettings& p) { p.ExtendedSize = -1; },
         TEXT("ExtendedSize"),
         none,
         -1,
         -1,
         {0, 1}},
        // Fields the pages only carry, and the model's base resolution, are not judged.
        {[](PrinterSettings& p) {
             p.prtIndex = -7, p.Dummy1 = 9, p.dummy = -1, p.BaseDpi = 0, p.dwPrivData = 0;
             p.dwFlags = 5, p.wOutFlags = 0xFFFFFFFF, p.TextSet.Entry[3].Reserved = -1;
         },
         none,
         none,
         -1,
         0,
         {}},
        // Presets after the record's fields, the text set before the photo set.
        {[](PrinterSettings& p) { p.TextSet.Entry[0].ImpactMin = 99; },
         TEXT("ImpactMin"),
         TEXT("text"),
         0,
         99,
         {100, 1100}},
        {[](PrinterSettings& p) { p.TextSet.Entry[8].ImpactMax = 1101; },
         TEXT("ImpactMax"),
         TEXT("text"),
         8,
         1101,
         {100, 1100}},
        {[](PrinterSettings& p) { p.PhotoSet.Entry[7].Speed = 19, p.Right = 0; },
         TEXT("Right"),
         none,
         -1,
         0,
         {1, 25}},
        {[](PrinterSettings& p) { p.PhotoSet.Entry[7].Speed = 19, p.TextSet.Entry[2].Speed = 0; },
         TEXT("Speed"),
         TEXT("text"),
         2,
         0,
         {1, 18}},
        {[](PrinterSettings& p) { p.PhotoSet.Entry[5].Speed = 19; },
         TEXT("Speed"),
         TEXT("photo"),
         5,
         19,
         {1, 18}},
        {[](PrinterSettings& p) { p.Brightness = 100, p.Left = 0; },
         TEXT("Brightness"),
         none,
         -1,
         100,
         {-50, 50}},
    };
    for (SHORT baseDpi : {kBaseDpiKlv20, kBaseDpiOther}) {
        for (const Row& row : rows) {
            PrinterSettings ps;
            SetDefaultPrinterSettings(&ps, baseDpi);
            row.edit(ps);
            FieldOutOfRange found{};
            const bool out = FindFieldOutOfRange(ps, &found);
            const std::string label = "row " + std::to_string(&row - rows);
            ASSERT_EQ(out, row.field != nullptr) << label;
            if (out) {
                EXPECT_EQ(Text(found.field), Text(row.field)) << label;
                EXPECT_EQ(Text(found.set), Text(row.set)) << label;
                EXPECT_EQ(found.preset, row.preset) << label;
                EXPECT_EQ(found.value, row.value) << label;
                EXPECT_EQ(found.range.min, row.range.min) << label;
                EXPECT_EQ(found.range.max, row.range.max) << label;
            }
        }
    }
}

// The ranges the pages keep the record's fields in: each row sets fields of a default record by
// their stored names and gives the field then first out of range, its value and its range.
#include "pages/kept_ranges.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Edits = std::vector<std::pair<std::string, LONG>>;

std::string Narrow(LPCWSTR text) {
    return std::string(text, text + std::basic_string<WCHAR>(text).size());
}

void Apply(PrinterSettings* ps, const Edits& edits) {
    for (const auto& [name, value] : edits) {
        for (const SettingsField& field : kSettingsFields) {
            if (name == Narrow(field.name)) {
                SetFieldValue(ps, field, value);
            }
        }
    }
}

// "Field value min..max", with " of SET PRESET" for a preset's field; "" when all are in range.
std::string Finding(const PrinterSettings& ps) {
    FieldOutOfRange f;
    if (!FindFieldOutOfRange(ps, &f)) {
        return "";
    }
    const std::string preset = f.set ? " of " + Narrow(f.set) + " " + std::to_string(f.preset) : "";
    return Narrow(f.field) + preset + " " + std::to_string(f.value) + " " +
           std::to_string(f.range.min) + ".." + std::to_string(f.range.max);
}

} // namespace

TEST(KeptRanges, TheFirstFieldOutOfItsRangeIsNamedWithItsValueAndRange) {
    // clang-format off
    // One field set alone, just past a limit: its name, the value and the range it is then out
    // of: one row per range, at one of its ends. The switches share one range: two of them stand
    // for all (the console tool's import refuses a record past the size's, the brightness' and
    // the extended-size switch's too).
    const std::tuple<const char*, LONG, const char*> single[] = {
        {"UserDefinedY", 501, "51..500"}, {"LimitX", 801, "51..800"},  {"OffsetX", -31, "-30..30"},
        {"Material", 9, "0..8"},          {"DitherPat", 4, "0..3"},    {"Gamma", 900, "-900..899"},
        {"Contrast", -51, "-50..50"},     {"PassMethod", 6, "0..5"},   {"Draft", 4, "0..3"},
        {"LowCutPost", 256, "0..255"},    {"FrameDpiIdx", 2, "3..10"}, {"ReverseDir", 2, "0..1"},
        {"CmpMode", 3, "0..2"},           {"Rear", 0, "1..25"},        {"ExtendedSize", -1, "0..1"}};
    // Fields that bound one another, and the order of the search.
    const std::pair<Edits, const char*> combined[] = {
        {{{"LimitX", 800}, {"UserDefinedX", 800}}, ""},
        {{{"LimitY", 50}, {"UserDefinedY", 51}}, "LimitY 50 51..800"},
        // The offset rules with a work of 780: (800 - 780) / 2 = 10.
        {{{"LimitX", 800}, {"UserDefinedX", 780}, {"OffsetX", 11}}, "OffsetX 11 -30..10"},
        {{{"LimitY", 800}, {"UserDefinedY", 780}, {"OffsetY", -11}}, "OffsetY -11 -10..30"},
        {{{"OffsetX", 30}, {"OffsetY", 30}}, ""},
        {{{"Brightness", 100}, {"Left", 0}}, "Brightness 100 -50..50"},
        // What the pages only carry, and the base resolution, which the model decides.
        {{{"prtIndex", -7}, {"Dummy1", 9}, {"dummy", -1}, {"BaseDpi", 0}, {"dwPrivData", 0},
          {"dwFlags", 5}, {"wOutFlags", -1}}, ""}};
    // The presets come after the record's fields, the text set before the photo set.
    using Edit = std::function<void(PrinterSettings&)>;
    const std::pair<Edit, const char*> presets[] = {
        {[](PrinterSettings& p) { p.TextSet.Entry[0].ImpactMin = 99; }, "ImpactMin of text 0 99 100..1100"},
        {[](PrinterSettings& p) { p.PhotoSet.Entry[5].Speed = 19; }, "Speed of photo 5 19 1..18"},
        {[](PrinterSettings& p) { p.PhotoSet.Entry[5].Speed = 19, p.TextSet.Entry[2].Speed = 0; }, "Speed of text 2 0 1..18"},
        {[](PrinterSettings& p) { p.PhotoSet.Entry[5].Speed = 0, p.Rear = 0; }, "Rear 0 1..25"},
        {[](PrinterSettings& p) { p.TextSet.Entry[3].Reserved = -1, p.TextSet.Entry[3].Name[0] = 0; }, ""}};
    // clang-format on
    for (SHORT baseDpi : {kBaseDpiKlv20, kBaseDpiOther}) {
        PrinterSettings defaults;
        SetDefaultPrinterSettings(&defaults, baseDpi);
        for (const auto& [name, value, range] : single) {
            PrinterSettings ps = defaults;
            Apply(&ps, {{name, value}});
            EXPECT_EQ(Finding(ps), std::string(name) + " " + std::to_string(value) + " " + range);
        }
        for (const auto& [edits, finding] : combined) {
            PrinterSettings ps = defaults;
            Apply(&ps, edits);
            EXPECT_EQ(Finding(ps), finding) << baseDpi;
        }
        for (const auto& [edit, finding] : presets) {
            PrinterSettings ps = defaults;
            edit(ps);
            EXPECT_EQ(Finding(ps), finding) << baseDpi;
        }
    }
}

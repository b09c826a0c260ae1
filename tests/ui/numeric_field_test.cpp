// Parsing, stepping and showing of the numeric entry fields, as text in and value out.
#include "ui/numeric_field.h"

#include "tests/support/devmode_bytes.h"

#include <array>
#include <tuple>

namespace {

using testdm::Narrow, testdm::Wide;

// Lengths in tenths of a millimetre. Work sizes are limited to 5.1 ..
// 50.0 mm, origin offsets to -3.0 .. 3.0 mm. The first dropped decimal rounds half up; a '-'
// among the digits still makes the value negative; no digit right after the point: no decimals;
// the maximum wins when the limits cross; only the first nine characters are read. In whole
// numbers only digits count.
TEST(NumericField, Parses) {
    const LONG M = 2000000000;
    // text, inch (2: a whole number), maximum, minimum, value
    // clang-format off
    const std::tuple<const char*, int, LONG, LONG, LONG> cases[] = {
        {"", 0, 500, 51, 51}, {"12.34", 0, 500, 51, 123}, {"12.35", 0, 500, 51, 124},
        {"600", 0, 500, 51, 500}, {"-2.5", 0, 30, -30, -25}, {"2-5", 0, 30, -30, -30},
        {"12a5", 0, 500, 0, 120}, {"1..5", 0, 500, 0, 10}, {"1.5", 1, 500, 51, 381},
        {"1.999", 1, 800, 51, 508}, {"999999999", 1, 800, 51, 800}, {"12", 0, 10, 20, 10},
        {"12345678.9", 0, M, 0, 123456780}, {"1234567891", 0, M, 0, 1234567890}, {"", 2, 25, 1, 1},
        {"30", 2, 25, 1, 25}, {"-5", 2, 25, 1, 1}, {"7.9", 2, 25, 1, 7},
        {"0", 2, 25, 1, 1}, {"25x", 2, 25, 1, 25}, {" 3", 2, 25, 1, 1},
        {"7", 2, 5, 10, 5}, {"1234567891", 2, M, 0, 123456789}};
    // clang-format on
    for (const auto& [text, inch, max, min, expected] : cases) {
        const WString typed = Wide(text);
        EXPECT_EQ(inch == 2 ? ParseLong(typed.c_str(), max, min)
                            : ParseUserUnit(typed.c_str(), inch, max, min),
                  expected)
            << "'" << text << "' " << inch;
    }
}

// A field left as the page showed it keeps the value it holds, when that lies within the limits
// (both included): read back, the shown inches could round it. Any other text, or a value outside
// the limits, is read as typed and limited.
TEST(NumericField, UntouchedTextKeepsItsValue) {
    const std::tuple<const char*, BOOL, LONG, LONG, LONG, LONG> cases[] = {
        // text, inch, value held, maximum, minimum, value taken
        {"1.31", TRUE, 333, 333, 51, 333},  {"1.77", TRUE, 450, 500, 51, 450},
        {"-0.00", TRUE, -1, 30, -1, -1},    {"33.3", FALSE, 333, 500, 51, 333},
        {"1.310", TRUE, 333, 500, 51, 332}, {"1.30", TRUE, 333, 500, 51, 330},
        {"3.54", TRUE, 900, 500, 51, 500},  {"5.0", FALSE, 50, 500, 51, 51}};
    for (const auto& [text, inch, held, max, min, taken] : cases) {
        EXPECT_EQ(TakeUserUnitText(Wide(text).c_str(), inch, held, max, min), taken)
            << "'" << text << "' holding " << held;
    }
}

// Inches show the nearest hundredth, halves away from zero: 8.0 mm is 31.496 hundredths.
TEST(NumericField, ShowsLengthsAndWholeNumbers) {
    // inch (2: a whole number), value, shown
    // clang-format off
    const std::tuple<int, LONG, const char*> cases[] = {
        {0, 500, "50.0"}, {0, 0, "0.0"}, {0, -5, "-0.5"}, {1, 500, "1.97"}, {1, -30, "-0.12"},
        {1, 0, "0.00"}, {1, -1, "-0.00"}, {1, 126, "0.50"}, {1, 80, "0.31"}, {1, -80, "-0.31"},
        {2, -2147483647 - 1, "-2147483648"}, {2, 10, "10"}, {2, 0, "0"}};
    // clang-format on
    WCHAR text[kShowChars];
    for (const auto& [inch, value, shown] : cases) {
        inch == 2 ? FormatLong(text, value) : FormatUserUnit(text, inch, value);
        EXPECT_EQ(Narrow(text), shown) << value << " " << inch;
    }
}

// Lengths step by shown units: 50.0 mm shows as 1.97 inch, one step of 0.10 inch shows 2.07 and
// stores 52.6 mm; 0.20 - 0.10 inch is 2.5 mm, limited to 5.1; -0.01 inch is -0.254 mm, -0.11 inch
// -2.794 mm; -50.0 mm steps to -2.07 inch, -52.6 mm; 0.25 inch is 6.35 mm, the half away from
// zero; 8.0 mm shows 0.31 inch (0.315 not reached), so 0.32 inch, 8.1 mm. Whole numbers step by
// one. The minimum wins when the limits cross.
TEST(NumericField, Steps) {
    const std::array<LONG, 6> cases[] = {
        // inch (2: a whole number), value, maximum, minimum, step, result
        {1, 500, 800, 51, 10, 526}, {1, 51, 500, 51, -10, 51},     {1, 0, 30, -30, -1, -3},
        {1, -25, 30, -30, -1, -28}, {1, -500, 0, -800, -10, -526}, {0, 500, 500, 51, 10, 500},
        {0, 0, 30, -30, -1, -1},    {0, 5, 10, 20, 1, 20},         {2, 25, 25, 1, 1, 25},
        {2, 1, 25, 1, -1, 1},       {2, 10, 25, 1, 1, 11},         {2, 5, 1, 10, 1, 10},
        {1, 61, 500, 0, 1, 64},     {1, -61, 30, -100, -1, -64},   {1, 80, 500, 0, 1, 81}};
    for (const auto& [inch, value, max, min, step, result] : cases) {
        EXPECT_EQ(inch == 2 ? SpinLong(value, max, min, step)
                            : SpinUserUnit(inch, value, max, min, step),
                  result)
            << inch << " " << value << " " << step;
    }
}

// Digits ('0' to '9' only), every '-' and the first '.' stay, within the first kFilterChars.
TEST(NumericField, FiltersTypedText) {
    // clang-format off
    const std::tuple<WString, std::string, int> cases[] = {
        {Wide("1a2"), "12", 1}, {Wide("1.2.3"), "1.23", 1}, {Wide("-1-2"), "-1-2", 0},
        {Wide("a.b.c"), ".", 4}, {Wide("..-."), ".-", 2}, {WString{0xFF11, '2'}, "2", 1},
        {WString(kFilterChars + 5, '7'), std::string(kFilterChars, '7'), 0}};
    // clang-format on
    for (const auto& [text, kept, removed] : cases) {
        WCHAR out[kFilterChars + 8];
        EXPECT_EQ(FilterNumericText(text.c_str(), out), removed) << Narrow(text.c_str());
        EXPECT_EQ(Narrow(out), kept);
    }
}

} // namespace

// Parsing, stepping and showing of the numeric entry fields, as text in and value out.
#include "ui/numeric_field.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using WString = std::basic_string<WCHAR>;

WString Wide(const std::string& ascii) {
    return WString(ascii.begin(), ascii.end());
}

std::string Narrow(const WCHAR* text) {
    std::string out;
    for (; *text != 0; ++text) {
        out += static_cast<char>(*text);
    }
    return out;
}

// Work sizes are limited to 5.1 .. 50.0 mm, origin offsets to -3.0 .. 3.0 mm; only the first nine
// characters are read.
TEST(NumericField, ParsesLengths) {
    const std::tuple<const char*, BOOL, LONG, LONG, LONG> cases[] = {
        {"", FALSE, 500, 51, 51},
        {"12.34", FALSE, 500, 51, 123},
        {"12.35", FALSE, 500, 51, 124}, // the first dropped decimal rounds half up
        {"1.55", FALSE, 500, 0, 16},
        {"600", FALSE, 500, 51, 500},
        {"-2.5", FALSE, 30, -30, -25},
        {"2-5", FALSE, 30, -30, -30}, // a '-' among the digits still makes it negative: -25.0 mm
        {"abc", FALSE, 30, -30, 0},
        {"12a5", FALSE, 500, 0, 120},
        {"1..5", FALSE, 500, 0, 10}, // no digit right after the point: no decimals
        {"0.2", TRUE, 500, 0, 50},
        {"1.5", TRUE, 500, 51, 381},
        {"1.999", TRUE, 800, 51, 508},
        {"1.555", TRUE, 800, 0, 396}, // 156 hundredths
        {"999999999", TRUE, 800, 51, 800},
        {"12", FALSE, 10, 20, 10},                       // the maximum wins when the limits cross
        {"12345678.9", FALSE, 2000000000, 0, 123456780}, // the point is the ninth character
        {"1234567891", FALSE, 2000000000, 0, 1234567890},
    };
    for (const auto& [text, inch, max, min, expected] : cases) {
        EXPECT_EQ(ParseUserUnit(Wide(text).c_str(), inch, max, min), expected)
            << "'" << text << "' " << (inch ? "in" : "mm");
    }
}

// Inches show the nearest hundredth, halves away from zero: 8.0 mm is 31.496 hundredths.
TEST(NumericField, ShowsLengths) {
    const std::tuple<BOOL, LONG, const char*> cases[] = {
        {FALSE, 500, "50.0"}, {FALSE, 0, "0.0"},    {FALSE, -5, "-0.5"}, {TRUE, 500, "1.97"},
        {TRUE, -30, "-0.12"}, {TRUE, 0, "0.00"},    {TRUE, -1, "-0.00"}, {TRUE, 126, "0.50"},
        {TRUE, 80, "0.31"},   {TRUE, -80, "-0.31"}, {TRUE, 800, "3.15"}, {TRUE, 254, "1.00"},
    };
    for (const auto& [inch, value, shown] : cases) {
        WCHAR text[kShowChars];
        FormatUserUnit(text, inch, value);
        EXPECT_EQ(Narrow(text), shown) << value << (inch ? " in" : " mm");
    }
}

TEST(NumericField, StepsLengthsByShownUnits) {
    // 50.0 mm shows as 1.97 inch; one step of 0.10 inch shows 2.07 and stores 52.6 mm.
    EXPECT_EQ(SpinUserUnit(TRUE, 500, 800, 51, 10), 526);
    // 0.20 - 0.10 inch = 0.10 inch = 2.5 mm, limited to 5.1 mm.
    EXPECT_EQ(SpinUserUnit(TRUE, 51, 500, 51, -10), 51);
    EXPECT_EQ(SpinUserUnit(TRUE, 0, 30, -30, -1), -3);    // -0.01 inch is -0.254 mm
    EXPECT_EQ(SpinUserUnit(TRUE, -25, 30, -30, -1), -28); // -0.10 - 0.01 inch = -2.794 mm
    EXPECT_EQ(SpinUserUnit(FALSE, 500, 500, 51, 10), 500);
    EXPECT_EQ(SpinUserUnit(FALSE, 0, 30, -30, -1), -1);
    EXPECT_EQ(SpinUserUnit(FALSE, 5, 10, 20, 1), 20); // the minimum wins when the limits cross
}

TEST(NumericField, ParsesStepsAndShowsWholeNumbers) {
    const std::pair<const char*, LONG> cases[] = {{"", 1},  {"30", 25},  {"-5", 1}, {"7.9", 7},
                                                  {"0", 1}, {"25x", 25}, {" 3", 1}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseLong(Wide(text).c_str(), 25, 1), expected) << "'" << text << "'";
    }
    EXPECT_EQ(ParseLong(Wide("7").c_str(), 5, 10), 5); // the maximum wins when the limits cross
    EXPECT_EQ(ParseLong(Wide("1234567891").c_str(), 2000000000, 0), 123456789);
    EXPECT_EQ(SpinLong(25, 25, 1, 1), 25);
    EXPECT_EQ(SpinLong(1, 25, 1, -1), 1);
    EXPECT_EQ(SpinLong(10, 25, 1, 1), 11);
    EXPECT_EQ(SpinLong(5, 1, 10, 1), 10); // the minimum wins when the limits cross
    WCHAR text[kShowChars];
    FormatLong(text, -2147483647 - 1);
    EXPECT_EQ(Narrow(text), "-2147483648");
    FormatLong(text, 10);
    EXPECT_EQ(Narrow(text), "10");
}

// Digits ('0' to '9' only), every '-' and the first '.' stay, within the first kFilterChars.
TEST(NumericField, FiltersTypedText) {
    const std::tuple<WString, std::string, int> cases[] = {
        {Wide("1a2"), "12", 1},
        {Wide("1.2.3"), "1.23", 1},
        {Wide("-1-2"), "-1-2", 0},
        {Wide("a.b.c"), ".", 4},
        {Wide("..-."), ".-", 2},
        {WString{0xFF11, '2'}, "2", 1},
        {WString(kFilterChars + 5, '7'), std::string(kFilterChars, '7'), 0},
    };
    for (const auto& [text, kept, removed] : cases) {
        WCHAR out[kFilterChars + 8];
        EXPECT_EQ(FilterNumericText(text.c_str(), out), removed) << Narrow(text.c_str());
        EXPECT_EQ(Narrow(out), kept);
    }
}

} // namespace

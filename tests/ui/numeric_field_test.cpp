// Parsing, stepping and showing of the numeric entry fields, as text in and value out.
#include "ui/numeric_field.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using WString = std::basic_string<WCHAR>;

WString Wide(const char* ascii) {
    WString out;
    for (; *ascii != '\0'; ++ascii) {
        out += static_cast<WCHAR>(*ascii);
    }
    return out;
}

std::string Narrow(const WCHAR* text) {
    std::string out;
    for (; *text != 0; ++text) {
        out += static_cast<char>(*text);
    }
    return out;
}

// Work sizes are limited to 5.1 .. 50.0 mm, origin offsets to -3.0 .. 3.0 mm.
const struct {
    const char* text;
    BOOL inch;
    LONG max, min, expected;
} kLengthCases[] = {
    {"", FALSE, 500, 51, 51},
    {"5", FALSE, 500, 51, 51},
    {"5.1", FALSE, 500, 51, 51},
    {"12.34", FALSE, 500, 51, 123},
    {"12.35", FALSE, 500, 51, 124}, // the first dropped decimal rounds half up
    {"1.55", FALSE, 500, 51, 51},   // 16 before the limit
    {"1.55", FALSE, 500, 0, 16},
    {"600", FALSE, 500, 51, 500},
    {"-3", FALSE, 500, 51, 51},
    {"-2.5", FALSE, 30, -30, -25},
    {"2-5", FALSE, 30, -30, -30}, // a '-' among the digits still makes it negative: -25.0 mm
    {"-9", FALSE, 30, -30, -30},
    {"abc", FALSE, 30, -30, 0},
    {"12a5", FALSE, 500, 0, 120},
    {"12.3abc", FALSE, 500, 0, 123},
    {"--1.5", FALSE, 30, -30, -15},
    {"1..5", FALSE, 500, 0, 10}, // no digit right after the point: no decimals
    {"1.97", TRUE, 500, 51, 500},
    {"0.2", TRUE, 500, 51, 51}, // 0.20 inch is 50 before the limit
    {"0.2", TRUE, 500, 0, 50},
    {"1.5", TRUE, 500, 51, 381},
    {"1.999", TRUE, 500, 51, 500}, // 508 before the limit
    {"1.999", TRUE, 800, 51, 508},
    {"1.555", TRUE, 800, 0, 396},  // 156 hundredths
    {"99999", TRUE, 500, 51, 500}, // far beyond the limit, without overflowing
    {"999999999", TRUE, 800, 51, 800},
    {"12", FALSE, 10, 20, 10}, // the maximum wins when the limits cross
};

TEST(NumericField, ParsesLengths) {
    for (const auto& c : kLengthCases) {
        const WString text = Wide(c.text);
        EXPECT_EQ(ParseUserUnit(text.c_str(), c.inch, c.max, c.min), c.expected)
            << "'" << c.text << "' " << (c.inch ? "in" : "mm");
    }
}

TEST(NumericField, ReadsNoMoreThanNineCharacters) {
    // "12345678.9": the point is the ninth character, so no decimals are read.
    EXPECT_EQ(ParseUserUnit(Wide("12345678.9").c_str(), FALSE, 2000000000, 0), 123456780);
    EXPECT_EQ(ParseUserUnit(Wide("1234567891").c_str(), FALSE, 2000000000, 0), 1234567890);
    EXPECT_EQ(ParseLong(Wide("1234567891").c_str(), 2000000000, 0), 123456789);
}

const struct {
    BOOL inch;
    LONG value;
    const char* shown;
} kShowCases[] = {
    {FALSE, 500, "50.0"}, {FALSE, 0, "0.0"},   {FALSE, -5, "-0.5"},  {FALSE, -30, "-3.0"},
    {FALSE, 51, "5.1"},   {TRUE, 500, "1.97"}, {TRUE, -30, "-0.12"}, {TRUE, 0, "0.00"},
    {TRUE, -1, "-0.00"},  {TRUE, 127, "0.50"}, {TRUE, 126, "0.50"},  {TRUE, 51, "0.20"},
    {TRUE, 800, "3.15"},  {TRUE, 80, "0.31"},  {TRUE, -80, "-0.31"}, {TRUE, 254, "1.00"},
};

TEST(NumericField, ShowsLengths) {
    for (const auto& c : kShowCases) {
        WCHAR text[kShowChars];
        FormatUserUnit(text, c.inch, c.value);
        EXPECT_EQ(Narrow(text), c.shown) << c.value << (c.inch ? " in" : " mm");
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

TEST(NumericField, ParsesWholeNumbers) {
    const std::pair<const char*, LONG> cases[] = {{"", 1},  {"30", 25},  {"-5", 1}, {"7.9", 7},
                                                  {"0", 1}, {"25x", 25}, {" 3", 1}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseLong(Wide(text).c_str(), 25, 1), expected) << "'" << text << "'";
    }
    EXPECT_EQ(ParseLong(Wide("7").c_str(), 5, 10), 5); // the maximum wins when the limits cross
}

TEST(NumericField, StepsAndShowsWholeNumbers) {
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

TEST(NumericField, FiltersTypedText) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"1a2", "12", 1},  {"1.2.3", "1.23", 1}, {"-1-2", "-1-2", 0}, {"", "", 0},
        {"a.b.c", ".", 4}, {"3,5", "35", 1},     {"..-.", ".-", 2},
    };
    for (const auto& [text, kept, removed] : cases) {
        WCHAR out[kFilterChars + 1];
        EXPECT_EQ(FilterNumericText(Wide(text).c_str(), out), removed) << text;
        EXPECT_EQ(Narrow(out), kept) << text;
    }
    // A full-width digit is not a digit: only the codes '0' to '9' are.
    const WCHAR fullWidth[] = {0xFF11, '2', 0};
    WCHAR out[kFilterChars + 1];
    EXPECT_EQ(FilterNumericText(fullWidth, out), 1);
    EXPECT_EQ(Narrow(out), "2");
    // Only the first kFilterChars characters are looked at.
    WCHAR longOut[kFilterChars + 8];
    EXPECT_EQ(FilterNumericText(WString(kFilterChars + 5, '7').c_str(), longOut), 0);
    EXPECT_EQ(Narrow(longOut), std::string(kFilterChars, '7'));
}

} // namespace

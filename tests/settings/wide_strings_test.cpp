// Bounded copies into fixed text fields: never past the field, always NUL-terminated. (The exact
// comparison of names is checked through the model rule it decides.)
#include <windows.h>

#include "settings/wide_strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace {

constexpr char16_t F = 0xEEEE; // a unit nothing wrote

// CopyStringW keeps at most n - 1 characters and zero-fills the n-unit field. CopyStr2Unicode
// converts the ANSI text into the field or, for n 0, as long as it is with its NUL; the last unit
// of the field is NUL whatever the conversion left before it.
TEST(TextFields, CopiesStayInTheirFieldAndEndInNul) {
    const std::tuple<const WCHAR*, const char*, int, std::u16string> cases[] = {
        {TEXT("abc"), nullptr, 0, {F, F, F, F, F, F, F, F, F, F}},
        {TEXT("abc"), nullptr, 1, {0, F, F, F, F, F, F, F, F, F}},
        {TEXT("abc"), nullptr, 6, {'a', 'b', 'c', 0, 0, 0, F, F, F, F}},
        {TEXT("abcdefgh"), nullptr, 8, {'a', 'b', 'c', 'd', 'e', 'f', 'g', 0, F, F}},
        {nullptr, nullptr, 2, {0, 0, F, F, F, F, F, F, F, F}},
        {nullptr, "user", 8, {'u', 's', 'e', 'r', 0, F, F, 0, F, F}},
        {nullptr, "abcdefgh", 4, {'a', 'b', 'c', 0, F, F, F, F, F, F}},
        {nullptr, "abc", 0, {'a', 'b', 'c', 0, F, F, F, F, F, F}},
    };
    for (const auto& [wide, narrow, n, expected] : cases) {
        WCHAR field[10]; // ten units of F before the copy
        std::fill(field, field + 10, static_cast<WCHAR>(F));
        if (narrow == nullptr) {
            CopyStringW(field, wide, n);
        } else {
            EXPECT_EQ(CopyStr2Unicode(field, narrow, n), field);
        }
        EXPECT_EQ(std::u16string(field, field + 10), expected) << n;
    }
}

} // namespace

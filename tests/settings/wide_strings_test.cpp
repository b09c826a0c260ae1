// Bounded copies into fixed text fields: never past the field, always NUL-terminated. (The exact
// comparison of names is checked through the model rule it decides.)
#include "settings/wide_strings.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

constexpr char16_t F = 0xEEEE; // a unit nothing wrote

// CopyStringW keeps at most n - 1 characters and zero-fills the n-unit field. CopyStr2Unicode
// converts the ANSI text into the field; the last unit of the field is NUL whatever the conversion
// left before it.
TEST(TextFields, CopiesStayInTheirFieldAndEndInNul) {
    const std::tuple<const WCHAR*, const char*, int, std::u16string> cases[] = {
        {TEXT("abc"), nullptr, 0, {F, F, F, F, F, F, F, F, F, F}},
        {TEXT("abc"), nullptr, 6, {'a', 'b', 'c', 0, 0, 0, F, F, F, F}},
        {TEXT("abcdefgh"), nullptr, 8, {'a', 'b', 'c', 'd', 'e', 'f', 'g', 0, F, F}},
        {nullptr, nullptr, 2, {0, 0, F, F, F, F, F, F, F, F}},
        {nullptr, "user", 8, {'u', 's', 'e', 'r', 0, F, F, 0, F, F}},
    };
    for (const auto& [wide, narrow, n, expected] : cases) {
        std::u16string field(10, F); // the host tree's WCHAR is char16_t
        if (narrow == nullptr) {
            CopyStringW(field.data(), wide, n);
        } else {
            EXPECT_EQ(CopyStr2Unicode(field.data(), narrow, n), field.data());
        }
        EXPECT_EQ(field, expected) << n;
    }
}

} // namespace

// Bounded copies into fixed text fields: never past the field, always NUL-terminated.
#include <windows.h>

#include "settings/wide_strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace {

constexpr char16_t F = 0xEEEE; // a unit nothing wrote

// Ten units of F, after `write` has had them.
template <typename Write> std::u16string Field(Write write) {
    WCHAR dst[10];
    std::fill(dst, dst + 10, static_cast<WCHAR>(F));
    write(dst);
    return std::u16string(dst, dst + 10);
}

TEST(CopyStringW, KeepsAtMostNMinusOneCharactersAndZeroFillsTheField) {
    const std::tuple<const WCHAR*, int, std::u16string> cases[] = {
        {TEXT("abc"), 0, {F, F, F, F, F, F, F, F, F, F}},
        {TEXT("abc"), 1, {0, F, F, F, F, F, F, F, F, F}},
        {TEXT("abc"), 6, {'a', 'b', 'c', 0, 0, 0, F, F, F, F}},
        {TEXT("abcdefgh"), 8, {'a', 'b', 'c', 'd', 'e', 'f', 'g', 0, F, F}},
        {nullptr, 2, {0, 0, F, F, F, F, F, F, F, F}}};
    for (const auto& [source, n, expected] : cases) {
        auto copy = [s = source, n = n](WCHAR* d) { CopyStringW(d, s, n); };
        EXPECT_EQ(Field(copy), expected) << n;
    }
}

// The ANSI text converts into the field or, for n 0, as long as it is with its NUL; the last unit
// of the field is NUL whatever the conversion left before it.
TEST(CopyStr2Unicode, ConvertsIntoTheFieldOrTheSourceLength) {
    const std::tuple<const char*, int, std::u16string> cases[] = {
        {"user", 8, {'u', 's', 'e', 'r', 0, F, F, 0, F, F}},
        {"abcdefgh", 4, {'a', 'b', 'c', 0, F, F, F, F, F, F}},
        {"abc", 0, {'a', 'b', 'c', 0, F, F, F, F, F, F}}};
    for (const auto& [source, n, expected] : cases) {
        auto copy = [s = source, n = n](WCHAR* d) { EXPECT_EQ(CopyStr2Unicode(d, s, n), d); };
        EXPECT_EQ(Field(copy), expected);
    }
}

// cbDst counts bytes; the count written is two bytes a character, 0 when the text does not fit.
TEST(MyMultiByteToUnicode, CountsBytes) {
    DWORD written = 1;
    Field([&](WCHAR* d) { EXPECT_EQ(MyMultiByteToUnicode(d, 20, &written, "hello", 6), 6); });
    EXPECT_EQ(written, 12u);
    EXPECT_EQ(Field([&](WCHAR* d) { MyMultiByteToUnicode(d, 8, &written, "abcdef", 7); })[4], F);
    EXPECT_EQ(written, 0u);
    Field([&](WCHAR* d) { EXPECT_EQ(MyMultiByteToUnicode(d, 8, nullptr, "xy", 2), 2); });
}

TEST(WideEquals, ComparesEveryUnitAndNullOnlyWithNull) {
    const WCHAR* model = TEXT("Velmar VORIKA KLV-20");
    EXPECT_TRUE(WideEquals(model, TEXT("Velmar VORIKA KLV-20")));
    EXPECT_TRUE(WideEquals(nullptr, nullptr));
    for (const WCHAR* other : {TEXT("velmar VORIKA KLV-20"), TEXT("Velmar VORIKA KLV-20 "),
                               TEXT("Velmar VORIKA KLV-2"), static_cast<const WCHAR*>(nullptr)}) {
        EXPECT_FALSE(WideEquals(model, other));
        EXPECT_FALSE(WideEquals(other, model));
    }
}

} // namespace

// Bounded copies into fixed text fields: never past the field, always NUL-terminated.
#include <windows.h>

#include "settings/wide_strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

constexpr char16_t kFill = 0xEEEE;

// The ten units of a test buffer.
std::u16string Units(const WCHAR* field) {
    return std::u16string(field, field + 10);
}

std::u16string Field(const std::u16string& kept, size_t n) {
    std::u16string f = kept;
    f.resize(n, 0);
    f.resize(10, kFill);
    return f;
}

TEST(CopyStringW, KeepsAtMostNMinusOneCharactersAndZeroFillsTheField) {
    const struct {
        const WCHAR* source;
        int n;
        const char16_t* kept;
    } cases[] = {{TEXT("abc"), 0, u""},      {TEXT("abc"), 1, u""},      {TEXT("abc"), 8, u"abc"},
                 {TEXT(""), 4, u""},         {TEXT("abcdefg"), 8, u"abcdefg"},
                 {TEXT("abcdefgh"), 8, u"abcdefg"}, {nullptr, 3, u""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        WCHAR dst[10];
        std::fill(dst, dst + 10, static_cast<WCHAR>(kFill));
        CopyStringW(dst, c.source, c.n);
        EXPECT_EQ(Units(dst), Field(c.kept, static_cast<size_t>(c.n)));
    }
}

// The last unit of the field is always NUL, whatever the conversion left before it.
TEST(CopyStr2Unicode, ConvertsIntoTheFieldOrTheSourceLength) {
    const char16_t F = kFill;
    const struct {
        const char* source;
        int n;
        std::u16string expected;
    } cases[] = {
        {"user", 8, {u'u', u's', u'e', u'r', 0, F, F, 0, F, F}},
        {"abcdefgh", 4, {u'a', u'b', u'c', 0, F, F, F, F, F, F}},
        {"abc", 0, {u'a', u'b', u'c', 0, F, F, F, F, F, F}}, // 0: the source and its NUL
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        WCHAR dst[10];
        std::fill(dst, dst + 10, static_cast<WCHAR>(kFill));
        EXPECT_EQ(CopyStr2Unicode(dst, c.source, c.n), dst);
        EXPECT_EQ(Units(dst), c.expected);
    }
}

// cbDst counts bytes; the count written is two bytes a character, 0 when the text does not fit.
TEST(MyMultiByteToUnicode, CountsBytesAndUsesTheAnsiCodePage) {
    WCHAR dst[10];
    std::fill(dst, dst + 10, static_cast<WCHAR>(kFill));
    DWORD written = 12345;
    EXPECT_EQ(MyMultiByteToUnicode(dst, 20, &written, "hello", 6), 6);
    EXPECT_EQ(written, 12u);
    EXPECT_EQ(Units(dst), Field(u"hello", 6));
    EXPECT_EQ(MyMultiByteToUnicode(dst, 8, nullptr, "xy", 2), 2);
    std::fill(dst, dst + 10, static_cast<WCHAR>(kFill));
    EXPECT_EQ(MyMultiByteToUnicode(dst, 8, &written, "abcdef", 7), 0);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(dst[4], kFill) << "written beyond cbDst";
    if (GetACP() == 1252) {
        MyMultiByteToUnicode(dst, 20, &written, "\x80\x9F\xE9", 4);
        EXPECT_EQ(std::u16string(dst, dst + 4), (std::u16string{0x20AC, 0x0178, 0x00E9, 0}));
    }
}

TEST(WideEquals, ComparesEveryUnitAndNullOnlyWithNull) {
    const WCHAR* model = TEXT("Velmar VORIKA KLV-20");
    EXPECT_TRUE(WideEquals(model, TEXT("Velmar VORIKA KLV-20")));
    EXPECT_TRUE(WideEquals(TEXT(""), TEXT("")));
    EXPECT_TRUE(WideEquals(nullptr, nullptr));
    for (const WCHAR* other : {TEXT("velmar VORIKA KLV-20"), TEXT("Velmar VORIKA KLV20"),
                               TEXT("Velmar VORIKA KLV-20 "), TEXT("Velmar VORIKA KLV-2"),
                               TEXT(""), static_cast<const WCHAR*>(nullptr)}) {
        EXPECT_FALSE(WideEquals(model, other));
        EXPECT_FALSE(WideEquals(other, model));
    }
    EXPECT_FALSE(WideEquals(nullptr, TEXT("")));
}

} // namespace

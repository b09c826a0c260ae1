// Bounded wide copies and narrow-to-wide conversions into fixed-size text fields.
#include <windows.h>

#include "settings/wide_strings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr WCHAR kFill = 0xA5A5; // stands for bytes the routine must not touch

std::vector<uint16_t> Units(const WCHAR* text, size_t count) {
    return std::vector<uint16_t>(text, text + count);
}

// ASCII text as code units, without a NUL.
std::vector<uint16_t> Ascii(const char* text) {
    std::vector<uint16_t> units;
    for (; *text != '\0'; ++text) {
        units.push_back(static_cast<uint16_t>(*text));
    }
    return units;
}

// A wide source string in a buffer of exactly its length plus NUL.
std::vector<WCHAR> Source(const char* text) {
    std::vector<WCHAR> source;
    for (uint16_t unit : Ascii(text)) {
        source.push_back(static_cast<WCHAR>(unit));
    }
    source.push_back(0);
    return source;
}

TEST(CopyStringW, CopiesAtMostNMinusOneCharactersAndZeroFills) {
    struct Case {
        const char* source;
        int n;
        const char* kept;
    };
    const Case cases[] = {
        {"abc", 1, ""},
        {"abc", 8, "abc"},
        {"", 4, ""},
        {"abcdefg", 8, "abcdefg"},
        {"abcdefgh", 8, "abcdefg"},
        // A 40-character name in a 32-character field: 31 characters and a NUL.
        {"Velmar VORIKA KLV-20 on the second floor", 32, "Velmar VORIKA KLV-20 on the sec"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        const std::vector<WCHAR> source = Source(c.source);
        std::vector<WCHAR> dst(40, kFill);
        CopyStringW(dst.data(), source.data(), c.n);

        std::vector<uint16_t> expected = Ascii(c.kept);
        expected.resize(static_cast<size_t>(c.n), 0);
        EXPECT_EQ(Units(dst.data(), static_cast<size_t>(c.n)), expected);
        for (size_t i = static_cast<size_t>(c.n); i < dst.size(); ++i) {
            ASSERT_EQ(dst[i], kFill) << "written beyond the field at " << i;
        }
    }
}

TEST(CopyStringW, ZeroLengthWritesNothing) {
    const std::vector<WCHAR> source = Source("abc");
    WCHAR dst[4] = {kFill, kFill, kFill, kFill};
    CopyStringW(dst, source.data(), 0);
    EXPECT_EQ(Units(dst, 4), std::vector<uint16_t>(4, kFill));
}

TEST(CopyStr2Unicode, ConvertsIntoTheField) {
    std::vector<WCHAR> dst(40, kFill);
    EXPECT_EQ(CopyStr2Unicode(dst.data(), "user size", 32), dst.data());
    std::vector<uint16_t> expected = Ascii("user size");
    expected.push_back(0);
    EXPECT_EQ(Units(dst.data(), expected.size()), expected);
    EXPECT_EQ(dst[31], 0) << "the field always ends in NUL";
    for (size_t i = 32; i < dst.size(); ++i) {
        ASSERT_EQ(dst[i], kFill) << "written beyond the field at " << i;
    }
}

TEST(CopyStr2Unicode, ZeroLengthUsesTheSourceLength) {
    std::vector<WCHAR> dst(8, kFill);
    EXPECT_EQ(CopyStr2Unicode(dst.data(), "abc", 0), dst.data());
    std::vector<uint16_t> expected = {'a', 'b', 'c', 0, kFill, kFill, kFill, kFill};
    EXPECT_EQ(Units(dst.data(), dst.size()), expected);
}

TEST(CopyStr2Unicode, LongerSourceKeepsNMinusOneCharacters) {
    std::vector<WCHAR> dst(8, kFill);
    EXPECT_EQ(CopyStr2Unicode(dst.data(), "abcdefgh", 4), dst.data());
    std::vector<uint16_t> expected = {'a', 'b', 'c', 0, kFill, kFill, kFill, kFill};
    EXPECT_EQ(Units(dst.data(), dst.size()), expected);
}

TEST(MyMultiByteToUnicode, ReportsTwoBytesPerCharacter) {
    const char source[] = "hello";
    std::vector<WCHAR> dst(16, kFill);
    DWORD written = 12345;
    MyMultiByteToUnicode(dst.data(), 32, &written, source, sizeof source);
    EXPECT_EQ(written, 12u); // five characters and the NUL
    std::vector<uint16_t> expected = Ascii("hello");
    expected.push_back(0);
    expected.push_back(kFill);
    EXPECT_EQ(Units(dst.data(), expected.size()), expected);

    // Without its NUL the text takes 2 bytes a character.
    written = 12345;
    MyMultiByteToUnicode(dst.data(), 32, &written, "ab", 2);
    EXPECT_EQ(written, 4u);
}

TEST(MyMultiByteToUnicode, WrittenCountIsOptional) {
    std::vector<WCHAR> dst(4, kFill);
    MyMultiByteToUnicode(dst.data(), 8, nullptr, "xy", 3);
    EXPECT_EQ(Units(dst.data(), 4), (std::vector<uint16_t>{'x', 'y', 0, kFill}));
}

// cbDst counts bytes: 8 bytes hold four characters, too few for "abcdef" and its NUL.
TEST(MyMultiByteToUnicode, FailedConversionReportsNothingWritten) {
    std::vector<WCHAR> dst(8, kFill);
    DWORD written = 12345;
    MyMultiByteToUnicode(dst.data(), 8, &written, "abcdef", 7);
    EXPECT_EQ(written, 0u);
    for (size_t i = 4; i < dst.size(); ++i) {
        ASSERT_EQ(dst[i], kFill) << "written beyond cbDst at " << i;
    }
}

TEST(MyMultiByteToUnicode, UsesTheAnsiCodePage) {
    if (GetACP() != 1252) {
        GTEST_SKIP() << "system ANSI code page is " << GetACP() << ", not Windows-1252";
    }
    const char source[] = "\x80\x9F\xE9\x41";
    std::vector<WCHAR> dst(5, kFill);
    DWORD written = 0;
    MyMultiByteToUnicode(dst.data(), 10, &written, source, sizeof source);
    EXPECT_EQ(written, 10u);
    EXPECT_EQ(Units(dst.data(), 5), (std::vector<uint16_t>{0x20AC, 0x0178, 0x00E9, 0x0041, 0}));

    std::vector<WCHAR> field(32, kFill);
    CopyStr2Unicode(field.data(), "caf\xE9", 32);
    EXPECT_EQ(Units(field.data(), 5), (std::vector<uint16_t>{'c', 'a', 'f', 0x00E9, 0}));
}

TEST(WideEquals, ComparesExactly) {
    const std::vector<WCHAR> model = Source("Velmar VORIKA KLV-20");
    EXPECT_TRUE(WideEquals(model.data(), TEXT("Velmar VORIKA KLV-20")));
    EXPECT_TRUE(WideEquals(TEXT(""), TEXT("")));
    EXPECT_TRUE(WideEquals(nullptr, nullptr));

    EXPECT_FALSE(WideEquals(model.data(), TEXT("velmar vorika klv-20")));
    EXPECT_FALSE(WideEquals(model.data(), TEXT("Velmar VORIKA KLV20")));
    EXPECT_FALSE(WideEquals(model.data(), TEXT("Velmar VORIKA KLV-20 ")));
    EXPECT_FALSE(WideEquals(model.data(), TEXT("Velmar VORIKA KLV-2")));
    EXPECT_FALSE(WideEquals(TEXT("Velmar VORIKA KLV-2"), model.data()));
    EXPECT_FALSE(WideEquals(model.data(), TEXT("")));
    EXPECT_FALSE(WideEquals(nullptr, TEXT("")));
    EXPECT_FALSE(WideEquals(TEXT(""), nullptr));
    EXPECT_FALSE(WideEquals(model.data(), nullptr));
}

} // namespace

// Copies between DEVMODE layouts and the conversions the spooler asks for. Every caller DEVMODE
// lives in a buffer of exactly the size its header declares, so a read or write past its end is
// caught by the sanitizers of the host tree.
#include <windows.h>

#include "entry/driver_ui.h"
#include "settings/devmode_convert.h"
#include "tests/support/devmode_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

using testdm::DevModeBytes;

constexpr BYTE kUntouched = 0xEE;
constexpr DWORD kNoError = 0xC0FFEE;

// What a DEVMODE of the given layout must hold after a copy from `in`: the first `publicBytes`
// public bytes and `privateBytes` private bytes of `in`, under the given header, the rest `before`.
std::vector<BYTE> CopiedInto(const std::vector<BYTE>& before, DevModeBytes& in, size_t publicBytes,
                             size_t privateBytes, WORD specVersion, WORD size, WORD driverVersion,
                             WORD extra) {
    DevModeBytes expected(before.size());
    expected.bytes = before;
    std::memcpy(expected.bytes.data(), in.bytes.data(), publicBytes);
    expected.SetHeader(specVersion, size, driverVersion, extra);
    std::memcpy(expected.bytes.data() + size, in.bytes.data() + in.dm()->dmSize, privateBytes);
    return expected.bytes;
}

void ExpectSameBytes(const std::vector<BYTE>& actual, const std::vector<BYTE>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    testdm::ExpectSameBytes(actual.data(), expected.data(), actual.size());
}

WORD VersionForSize(WORD size) {
    return size == 188 ? 0x320 : size == 212 ? 0x400 : 0x401;
}

TEST(CheckDevmodeVersion, SizeDecidesTheVersionOfKnownLayouts) {
    EXPECT_EQ(CheckDevmodeVersion(nullptr), 0);
    const WORD cases[][3] = {
        {188, 0x999, 0x320}, {212, 0x999, 0x400}, {220, 0x320, 0x401}, {200, 0x123, 0x123}};
    for (const auto& [size, own, expected] : cases) {
        DevModeBytes d(size, 0, own, 0, 0);
        EXPECT_EQ(CheckDevmodeVersion(d.dm()), expected) << size;
    }
}

TEST(ConvertDevmode, OutputHeaderDecidesTheLayout) {
    const struct {
        WORD inSize, inExtra, outSize, outExtra;
        LONG copied;
    } cases[] = {
        {220, 1536, 220, 1536, 1756}, {220, 1536, 188, 8, 196}, {188, 8, 220, 1536, 196},
        {220, 100, 220, 1536, 320},   {212, 0, 220, 1536, 212}, {220, 1536, 212, 40, 252},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        DevModeBytes in = DevModeBytes::Patterned(c.inSize, c.inExtra, 0x111, 0x222);
        DevModeBytes out(c.outSize, c.outExtra, 0x333, 0x444, kUntouched);
        const std::vector<BYTE> before = out.bytes;
        const size_t publicBytes = std::min(c.inSize, c.outSize);
        const size_t privateBytes = std::min(c.inExtra, c.outExtra);

        EXPECT_EQ(ConvertDevmode(in.dm(), out.dm()), c.copied);
        ExpectSameBytes(out.bytes,
                        CopiedInto(before, in, publicBytes, privateBytes, VersionForSize(c.outSize),
                                   c.outSize, 0x444, c.outExtra));
    }
}

TEST(ConvertDevmode, NoVersionOnEitherSideCopiesNothing) {
    DevModeBytes good = DevModeBytes::Patterned(220, 1536, 0x401, 287);
    DevModeBytes out(220, 1536, 0x401, 287, kUntouched);
    DevModeBytes versionless(200, 16, 0, 287, kUntouched);
    const std::vector<BYTE> outBefore = out.bytes;
    const std::vector<BYTE> versionlessBefore = versionless.bytes;

    EXPECT_EQ(ConvertDevmode(nullptr, out.dm()), -1);
    EXPECT_EQ(ConvertDevmode(good.dm(), nullptr), -1);
    EXPECT_EQ(ConvertDevmode(versionless.dm(), out.dm()), -1);
    EXPECT_EQ(ConvertDevmode(good.dm(), versionless.dm()), -1);
    EXPECT_EQ(out.bytes, outBefore);
    EXPECT_EQ(versionless.bytes, versionlessBefore);
}

TEST(ConvertDevmodeOut, CallerGetsItsOwnLayoutNeverALargerOne) {
    DevModeBytes src = DevModeBytes::Patterned(220, 1536, 0x401, 287);
    {
        SCOPED_TRACE("no caller input: the whole driver DEVMODE");
        DevModeBytes out(1756);
        EXPECT_EQ(ConvertDevmodeOut(src.dm(), nullptr, out.dm()), TRUE);
        ExpectSameBytes(out.bytes, src.bytes);
    }
    const struct {
        WORD inSize, inExtra, inDriverVersion, outSpecVersion, outDriverVersion;
    } cases[] = {
        {188, 8, 0x350, 0x320, 0x350},  {220, 1536, 0x111, 0x401, 287},
        {220, 8, 0x350, 0x401, 0x350},  {188, 1536, 0x999, 0x320, 287},
        {212, 0, 0x205, 0x400, 0x205},  {220, 2000, 0x111, 0x401, 287},
        {240, 1536, 0x111, 0x401, 287}, {72, 0, 0x205, 0x777, 0x205}, // a header and nothing more
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        DevModeBytes in(c.inSize, c.inExtra, 0x777, c.inDriverVersion, 0x5A);
        const WORD outSize = std::min<WORD>(c.inSize, 220);
        const WORD outExtra = std::min<WORD>(c.inExtra, 1536);
        DevModeBytes out(size_t{outSize} + outExtra);
        const std::vector<BYTE> before = out.bytes;

        EXPECT_EQ(ConvertDevmodeOut(src.dm(), in.dm(), out.dm()), TRUE);
        ExpectSameBytes(out.bytes, CopiedInto(before, src, outSize, outExtra, c.outSpecVersion,
                                              outSize, c.outDriverVersion, outExtra));
    }
}

TEST(ConvertDevmodeOut, CallerLayoutTooSmallForItsHeaderIsRefused) {
    DevModeBytes src = DevModeBytes::Patterned(220, 1536, 0x401, 287);
    // 60 public bytes and 12 private ones: the header itself lies beyond the public part.
    DevModeBytes in(60, 12, 0x401, 287, 0x5A);
    DevModeBytes out(72);
    const std::vector<BYTE> before = out.bytes;
    EXPECT_EQ(ConvertDevmodeOut(src.dm(), in.dm(), out.dm()), FALSE);
    ExpectSameBytes(out.bytes, before);
}

// One request of the spooler. A missing output is bufferBytes 0; a prepared output header is
// outSize + outExtra (CDM_CONVERT expects the caller to prepare it).
struct ConvertCase {
    DWORD mode;
    bool sizeGiven;
    LONG size;
    size_t bufferBytes;
    WORD outSize, outExtra;
    int result; // CommonDrvConvertDevmode's: 0 failed, 1 done, 2 not handled
    LONG sizeAfter;
    DWORD error; // kNoError: none set
};

const ConvertCase kConvertCases[] = {
    {CDM_CONVERT, false, 0, 1756, 220, 1536, 0, 0, 87},
    {CDM_DRIVER_DEFAULT, false, 0, 1756, 0, 0, 0, 0, 87},
    {CDM_CONVERT, true, 1756, 1756, 220, 1536, 1, 1756, kNoError},
    {CDM_CONVERT, true, 5000, 1756, 220, 1536, 1, 1756, kNoError},
    {CDM_CONVERT, true, 196, 196, 188, 8, 1, 196, kNoError},
    {CDM_CONVERT, true, 1755, 1756, 220, 1536, 0, 1755, 87},
    {CDM_CONVERT, true, 1756, 0, 0, 0, 0, 1756, 87},
    {CDM_CONVERT351, true, 196, 196, 0, 0, 1, 196, kNoError},
    {CDM_CONVERT351, true, 1756, 1756, 0, 0, 1, 196, kNoError},
    {CDM_CONVERT351, true, 195, 195, 0, 0, 0, 196, 122},
    {CDM_CONVERT351, true, -1, 196, 0, 0, 0, 196, 122},
    {CDM_DRIVER_DEFAULT, true, 1755, 1755, 0, 0, 0, 1756, 122},
    {CDM_DRIVER_DEFAULT, true, 1756, 0, 0, 0, 0, 1756, 122},
    {CDM_DRIVER_DEFAULT, true, 1756, 1756, 0, 0, 2, 1756, kNoError},
    {0, true, 1756, 1756, 0, 0, 2, 1756, kNoError},
    {8, true, 1756, 1756, 0, 0, 2, 1756, kNoError},
};

// Each case on a patterned driver DEVMODE; nothing is written unless the conversion is done.
// A conversion to the old layout without an input fails with the caller's fault.
TEST(CommonDrvConvertDevmode, OldLayoutWithoutInputFails) {
    DevModeBytes out(196);
    LONG size = 196;
    SetLastError(kNoError);
    EXPECT_EQ(CommonDrvConvertDevmode(TEXT("any"), nullptr, out.dm(), &size, CDM_CONVERT351,
                                      psDriverVersions),
              0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(CommonDrvConvertDevmode, AnswersByMode) {
    for (const ConvertCase& c : kConvertCases) {
        SCOPED_TRACE(&c - kConvertCases);
        DevModeBytes in = DevModeBytes::Patterned(220, 1536, 0x401, 287);
        DevModeBytes out(c.bufferBytes);
        if (c.outSize != 0) {
            out.SetHeader(0x401, c.outSize, 0x444, c.outExtra);
        }
        const std::vector<BYTE> before = out.bytes;
        LONG size = c.size;
        SetLastError(kNoError);
        EXPECT_EQ(CommonDrvConvertDevmode(TEXT("any"), in.dm(), c.bufferBytes ? out.dm() : nullptr,
                                          c.sizeGiven ? &size : nullptr, c.mode, psDriverVersions),
                  c.result);
        EXPECT_EQ(size, c.sizeAfter);
        EXPECT_EQ(GetLastError(), c.error);
        if (c.result != 1) {
            EXPECT_EQ(out.bytes, before) << "written although nothing was converted";
        } else if (c.mode == CDM_CONVERT351) {
            // The old layout: version 0x320, 188 public bytes, driver version 0x350, 8 private.
            ExpectSameBytes(out.bytes, CopiedInto(before, in, 188, 8, 0x320, 188, 0x350, 8));
        } else {
            ExpectSameBytes(out.bytes,
                            CopiedInto(before, in, std::min<WORD>(220, c.outSize),
                                       std::min<WORD>(1536, c.outExtra), VersionForSize(c.outSize),
                                       c.outSize, 0x444, c.outExtra));
        }
    }
}

} // namespace

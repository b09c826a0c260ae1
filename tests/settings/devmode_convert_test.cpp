// Copies between DEVMODE layouts and the conversions the spooler asks for. Every caller DEVMODE
// lives in a buffer of exactly the size its header declares, so a read or write past its end is
// caught by the sanitizers of the host tree.

#include "settings/devmode_convert.h"
#include "tests/support/devmode_bytes.h"

#include <algorithm>
#include <array>

namespace {

using testdm::Bytes;
using testdm::DevModeBytes;

constexpr int kPatterned = DevModeBytes::kPatterned;

// The version a layout's size stands for; other sizes keep their own.
WORD VersionForSize(WORD size, WORD own = 0) {
    return size == 188 ? 0x320 : size == 212 ? 0x400 : size == 220 ? 0x401 : own;
}

// `out` holds `before` but for the first public and private bytes of `in` (as many as the smaller
// layout holds) under the header given.
void ExpectCopied(const Bytes& out, Bytes before, DevModeBytes& in, WORD specVersion, WORD size,
                  WORD driverVersion, WORD extra) {
    DevModeBytes e(0);
    e.bytes = std::move(before);
    std::memcpy(e.bytes.data(), in.bytes.data(), std::min(size, in.dm()->dmSize));
    e.SetHeader(specVersion, size, driverVersion, extra);
    std::memcpy(e.bytes.data() + size, in.bytes.data() + in.dm()->dmSize,
                std::min(extra, in.dm()->dmDriverExtra));
    ASSERT_EQ(out.size(), e.bytes.size());
    testdm::ExpectSameBytes(out.data(), e.bytes.data(), out.size());
}

// The caller gets its own layout, never a larger one: the smaller public part with its version,
// the smaller private part with its driver version; a caller layout too small for the header is
// refused (version 0 below).
TEST(ConvertDevmodeOut, CallerGetsItsOwnLayoutNeverALargerOne) {
    DevModeBytes src(220, 1536, 0x401, 287, kPatterned);
    // in: size, extra, driver version; out: version, driver version
    // clang-format off
    const std::array<WORD, 5> cases[] = {
        {188, 8, 0x350, 0x320, 0x350},  {220, 1536, 0x111, 0x401, 287},
        {220, 8, 0x350, 0x401, 0x350},  {188, 1536, 0x999, 0x320, 287},
        {240, 2000, 0x111, 0x401, 287}, {72, 0, 0x205, 0x777, 0x205},
        {60, 12, 0, 0, 0}};
    // clang-format on
    for (const auto& [inSize, inExtra, inDriverVersion, version, driverVersion] : cases) {
        DevModeBytes in(inSize, inExtra, 0x777, inDriverVersion, 0x5A);
        const WORD size = std::min<WORD>(inSize, 220), extra = std::min<WORD>(inExtra, 1536);
        DevModeBytes out(size_t{size} + extra);
        const Bytes before = out.bytes;
        EXPECT_EQ(ConvertDevmodeOut(src.dm(), in.dm(), out.dm()), version != 0) << inSize;
        if (version == 0) {
            EXPECT_EQ(out.bytes, before);
        } else {
            ExpectCopied(out.bytes, before, src, version, size, driverVersion, extra);
        }
    }
}

// One request of the spooler, with a patterned DEVMODE as input. Size -9: no size given; buffer 0:
// no output; an output header outSize + outExtra is prepared (CDM_CONVERT expects the caller to).
// A conversion's output header decides the layout, its size the version (188: 0x320, 212: 0x400,
// 220: 0x401, any other keeps its own); an input without a version, or a header that cannot hold
// its own fields, converts nothing. Nothing is written unless converted; the old layout is 188
// public bytes, version 0x320, driver version 0x350, 8 private bytes.
TEST(CommonDrvConvertDevmode, AnswersByMode) {
    constexpr int A = CDM_CONVERT, B = CDM_CONVERT351, D = CDM_DRIVER_DEFAULT, N = 0xC0FFEE;
    // The input: ours, the old layout, the header alone, no version, too small for the header.
    const std::array<WORD, 3> inputs[] = {
        {220, 1536, 0x401}, {188, 8, 0x320}, {72, 0, 0x777}, {200, 16, 0}, {60, 12, 0x401}};
    const std::array<int, 9> cases[] = {
        // mode, input, size, buffer, out size, out extra, result, size after, last error (N: none)
        {A, 0, -9, 1756, 220, 1536, 0, -9, 87},     {A, 0, 1756, 1756, 220, 1536, 1, 1756, N},
        {A, 0, 5000, 1756, 220, 1536, 1, 1756, N},  {A, 0, 196, 196, 188, 8, 1, 196, N},
        {A, 0, 1755, 1756, 220, 1536, 0, 1755, 87}, {A, 0, 1756, 0, 0, 0, 0, 1756, 87},
        {A, 0, 252, 252, 212, 40, 1, 252, N},       {A, 0, 216, 216, 200, 16, 1, 216, N},
        {A, 0, 72, 72, 60, 12, 0, 72, 87},          {A, 1, 1756, 1756, 220, 1536, 1, 1756, N},
        {A, 2, 1756, 1756, 220, 1536, 1, 1756, N},  {A, 3, 1756, 1756, 220, 1536, 0, 1756, 87},
        {A, 4, 1756, 1756, 220, 1536, 0, 1756, 87}, {B, 0, 1756, 1756, 0, 0, 1, 196, N},
        {B, 0, 195, 195, 0, 0, 0, 196, 122},        {D, 0, 1755, 1755, 0, 0, 0, 1756, 122},
        {D, 0, 1756, 1756, 0, 0, 2, 1756, N},       {8, 0, 1756, 1756, 0, 0, 2, 1756, N},
    };
    for (const auto& [mode, input, size, buffer, outSize, outExtra, result, after, error] : cases) {
        const auto& [inSize, inExtra, inVersion] = inputs[input];
        DevModeBytes in(inSize, inExtra, inVersion, 287, kPatterned);
        DevModeBytes out(static_cast<size_t>(buffer));
        if (outSize != 0) {
            out.SetHeader(0x333, WORD(outSize), 0x444, WORD(outExtra));
        }
        const Bytes before = out.bytes;
        LONG cb = size;
        SetLastError(N);
        EXPECT_EQ(CommonDrvConvertDevmode(TEXT("any"), in.dm(), buffer ? out.dm() : nullptr,
                                          size == -9 ? nullptr : &cb, DWORD(mode),
                                          psDriverVersions),
                  result)
            << mode << " " << input << " " << size << " " << buffer;
        EXPECT_EQ(cb, after);
        EXPECT_EQ(GetLastError(), DWORD(error));
        if (result != 1) {
            EXPECT_EQ(out.bytes, before) << "written although nothing was converted";
        } else if (mode == B) {
            ExpectCopied(out.bytes, before, in, 0x320, 188, 0x350, 8);
        } else {
            ExpectCopied(out.bytes, before, in, VersionForSize(WORD(outSize), 0x333), WORD(outSize),
                         0x444, WORD(outExtra));
        }
    }
    // The old layout without an input fails with the caller's fault.
    DevModeBytes out(196);
    LONG cb = 196;
    EXPECT_EQ(CommonDrvConvertDevmode(TEXT("any"), nullptr, out.dm(), &cb, B, psDriverVersions), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

} // namespace

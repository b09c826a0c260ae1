// DEVMODEs as callers hand them over: byte buffers of exactly the size their header declares, so
// that a read or write past the end shows under the host tree's sanitizers; and the records the
// tests of several folders build them from.
#pragma once

#include <windows.h>

#include "context/ppd_cache.h"
#include "settings/driver_devmode.h"
#include "settings/printer_data.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testdm {

inline constexpr LPCWSTR kKlv20 = TEXT("Velmar VORIKA KLV-20");
inline constexpr LPCWSTR kOtherModel = TEXT("Velmar VORIKA KLV-10");
inline constexpr DWORD kPriv = 0x56495250; // "PRIV" as stored

using Bytes = std::vector<BYTE>;

// A DEVMODE of any layout in its caller's buffer.
struct DevModeBytes {
    static constexpr int kPatterned = -1; // bytes that differ from their neighbours
    // A header for the layout; every other byte `fill`.
    DevModeBytes(WORD size, WORD extra, WORD specVersion, WORD driverVersion, int fill)
        : bytes(size_t{size} + extra, static_cast<BYTE>(fill)) {
        for (size_t i = 0; fill == kPatterned && i < bytes.size(); ++i) {
            bytes[i] = static_cast<BYTE>(i * 31 + 7);
        }
        SetHeader(specVersion, size, driverVersion, extra);
    }
    // `count` bytes of 0xEE and no header yet.
    explicit DevModeBytes(size_t count) : bytes(count, 0xEE) {}

    // The public part of `dm` cut to `size` bytes, then the first `extra` bytes of `ps`.
    static DevModeBytes Of(const DEVMODEW& dm, WORD size, WORD extra, const PrinterSettings& ps) {
        DevModeBytes d(size_t{size} + extra);
        std::memcpy(d.bytes.data(), &dm, size < sizeof dm ? size : sizeof dm);
        std::memcpy(d.bytes.data() + size, &ps, extra < sizeof ps ? extra : sizeof ps);
        d.SetHeader(size == 188 ? 0x320 : dm.dmSpecVersion, size, dm.dmDriverVersion, extra);
        return d;
    }

    void SetHeader(WORD specVersion, WORD size, WORD driverVersion, WORD extra) {
        const WORD fields[4] = {specVersion, driverVersion, size, extra};
        static_assert(offsetof(DEVMODEW, dmDriverExtra) == offsetof(DEVMODEW, dmSpecVersion) + 6);
        std::memcpy(bytes.data() + offsetof(DEVMODEW, dmSpecVersion), fields, sizeof fields);
    }
    DEVMODEW* dm() { return reinterpret_cast<DEVMODEW*>(bytes.data()); }

    Bytes bytes;
};

inline DriverDevMode Defaults(LPCWSTR model) {
    DriverDevMode d;
    SetDefaultDevMode(&d, model);
    return d;
}

// A record of the KLV-20 defaults with another work size and resolution index.
inline PrinterSettings Record(SHORT x, SHORT y, SHORT frameIdx = 4) {
    PrinterSettings ps = Defaults(kKlv20).ps;
    ps.UserDefinedX = x, ps.UserDefinedY = y, ps.FrameDpiIdx = frameIdx;
    return ps;
}

// A text field up to its NUL or its end.
inline std::u16string Text(const WCHAR* field, size_t capacity = 32) {
    std::u16string out;
    for (size_t i = 0; i < capacity && field[i] != 0; ++i) {
        out.push_back(static_cast<char16_t>(field[i]));
    }
    return out;
}

// ASCII test text as the platform's wide text, and a field's text back as ASCII for messages.
inline WString Wide(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}
inline std::string Narrow(const WCHAR* field, size_t capacity = 256) {
    const std::u16string text = Text(field, capacity);
    return {text.begin(), text.end()};
}

// The printer's stored settings as a request loads them: the defaults when none are stored.
inline PrinterSettings StoredSettings(HANDLE printer, LPCWSTR model) {
    PrinterSettings* loaded = GetPrinterProperties(printer, model);
    EXPECT_NE(loaded, nullptr);
    const PrinterSettings ps = loaded ? *loaded : PrinterSettings{};
    GlobalFree(loaded);
    return ps;
}

inline Bytes Slice(const void* base, size_t offset, size_t size) {
    const BYTE* at = static_cast<const BYTE*>(base) + offset;
    return Bytes(at, at + size);
}

// Names the first few differing byte offsets.
inline void ExpectSameBytes(const void* actual, const void* expected, size_t size) {
    const auto* a = static_cast<const BYTE*>(actual);
    const auto* e = static_cast<const BYTE*>(expected);
    for (size_t i = 0, reported = 0; i < size && reported < 8; ++i) {
        if (a[i] != e[i]) {
            ADD_FAILURE() << "byte " << i << ": " << int(a[i]) << ", expected " << int(e[i]);
            ++reported;
        }
    }
}

// The device data cache's record and how many requests hold it.
inline std::pair<PpdData*, WORD> PeekCache() {
    std::pair<PpdData*, WORD> v{};
    PeekPpdCache(&v.first, &v.second);
    return v;
}

} // namespace testdm

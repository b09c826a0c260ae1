// Device capability answers: every capability number with and without an output buffer, and the
// settings the answers follow (stored properties, the caller's private part, the device name).
#include <windows.h>

#include "entry/driver_ui.h"
#include "settings/driver_devmode.h"
#include "settings/printer_data.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

const LPCWSTR kKlv20 = TEXT("Velmar VORIKA KLV-20");
const LPCWSTR kKlv10 = TEXT("Velmar VORIKA KLV-10");
constexpr BYTE kSentinel = 0xA5;
constexpr size_t kOutputBytes = 256;
constexpr DWORD kNotAnswered = static_cast<DWORD>(-1);

std::vector<BYTE> Le16(std::initializer_list<int> values) {
    std::vector<BYTE> bytes;
    for (int v : values) {
        bytes.push_back(static_cast<BYTE>(v));
        bytes.push_back(static_cast<BYTE>(v >> 8));
    }
    return bytes;
}

std::vector<BYTE> Le32(std::initializer_list<LONG> values) {
    std::vector<BYTE> bytes;
    for (LONG v : values) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<BYTE>(static_cast<DWORD>(v) >> shift));
        }
    }
    return bytes;
}

// The eight resolutions as x/y pairs.
std::vector<BYTE> Resolutions(std::initializer_list<LONG> dpis) {
    std::vector<BYTE> bytes;
    for (LONG dpi : dpis) {
        const std::vector<BYTE> pair = Le32({dpi, dpi});
        bytes.insert(bytes.end(), pair.begin(), pair.end());
    }
    return bytes;
}

const std::vector<BYTE> kKlv20Resolutions = Resolutions({339, 254, 203, 169, 145, 127, 113, 102});
const std::vector<BYTE> kKlv10Resolutions = Resolutions({353, 265, 212, 176, 151, 132, 118, 106});

// Calls the capability with an output buffer prefilled with the sentinel; returns the answer and
// the bytes written, checking that nothing after them was touched.
DWORD Ask(HANDLE printer, LPCWSTR device, WORD capability, DEVMODEW* pdm,
          std::vector<BYTE>* written, size_t expectedBytes) {
    std::vector<BYTE> out(kOutputBytes, kSentinel);
    WString name(device);
    const DWORD answer = DrvDeviceCapabilities(printer, name.data(), capability, out.data(), pdm);
    for (size_t i = expectedBytes; i < out.size(); ++i) {
        if (out[i] != kSentinel) {
            ADD_FAILURE() << "output byte " << i << " written, beyond the " << expectedBytes
                          << " expected";
            break;
        }
    }
    written->assign(out.begin(), out.begin() + expectedBytes);
    return answer;
}

struct CapabilityCase {
    WORD capability;
    DWORD answer;
    std::vector<BYTE> written; // bytes at the start of the output; nothing else is touched
};

TEST(DeviceCapabilities, EveryCapabilityWithDriverDefaults) {
    const CapabilityCase cases[] = {
        {0, kNotAnswered, {}},
        {DC_FIELDS, 0x6C0E, {}},
        {DC_PAPERS, 1, Le16({256})},
        {DC_PAPERSIZE, 1, Le32({500, 500})},
        {DC_MINEXTENT, 500 * 65536 + 500, {}},
        {DC_MAXEXTENT, 500 * 65536 + 500, {}},
        {DC_BINS, 0, {}},
        {DC_DUPLEX, 0, {}},
        {DC_SIZE, 220, {}},
        {DC_EXTRA, 1536, {}},
        {DC_VERSION, 0x401, {}},
        {DC_DRIVER, 287, {}},
        {DC_BINNAMES, 0, {}},
        {DC_ENUMRESOLUTIONS, 8, kKlv20Resolutions},
        {DC_FILEDEPENDENCIES, 0, Le16({0})},
        {DC_TRUETYPE, DCTT_BITMAP, {}},
        {DC_PAPERNAMES, 1, Le16({'U', 's', 'e', 'r', ' ', 'S', 'i', 'z', 'e', 0})},
        {DC_ORIENTATION, 0, {}},
        {DC_COPIES, 1, {}},
        {19, kNotAnswered, {}},
        {0xFFFF, kNotAnswered, {}},
    };
    TestPrinter printer(kKlv20);
    WString device(kKlv20);
    for (const CapabilityCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "capability " << c.capability);
        std::vector<BYTE> written;
        EXPECT_EQ(Ask(printer.handle(), kKlv20, c.capability, nullptr, &written, c.written.size()),
                  c.answer);
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(
            DrvDeviceCapabilities(printer.handle(), device.data(), c.capability, nullptr, nullptr),
            c.answer)
            << "without an output buffer";
    }
}

// A caller's DEVMODE of 220 + extra bytes carrying `ps` (cut to extra bytes) and extra fields.
std::vector<BYTE> CallerDevMode(WORD extra, const PrinterSettings& ps, DWORD fields) {
    DriverDevMode d;
    SetDefaultDevMode(&d, kKlv20);
    d.dm.dmDriverExtra = extra;
    d.dm.dmFields = fields;
    d.dm.dmOrientation = 1;
    d.dm.dmCopies = 1;
    d.dm.dmScale = 100;
    d.dm.dmDefaultSource = 256;
    d.ps = ps;
    std::vector<BYTE> bytes(220 + size_t{extra});
    std::memcpy(bytes.data(), &d, bytes.size());
    return bytes;
}

PrinterSettings Record(SHORT x, SHORT y, SHORT baseDpi) {
    DriverDevMode d;
    SetDefaultDevMode(&d, kKlv20);
    d.ps.UserDefinedX = x;
    d.ps.UserDefinedY = y;
    d.ps.BaseDpi = baseDpi;
    return d.ps;
}

DEVMODEW* AsDevMode(std::vector<BYTE>& bytes) {
    return bytes.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(bytes.data());
}

TEST(DeviceCapabilities, PaperSizeFollowsTheSettingsInUse) {
    TestPrinter printer(kKlv20);
    const PrinterSettings stored = Record(1234, 567, 1016);
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
    PrinterSettings unsigned_ = Record(800, 300, 1016);
    unsigned_.dwPrivData = 0;

    struct Case {
        const char* what;
        std::vector<BYTE> caller;
        std::vector<BYTE> paper;
    };
    Case cases[] = {
        {"no caller DEVMODE: stored work size", {}, Le32({1234, 567})},
        {"caller's private part", CallerDevMode(1536, Record(800, 300, 1016), 0), Le32({800, 300})},
        {"unsigned private part: defaults", CallerDevMode(1536, unsigned_, 0), Le32({500, 500})},
        {"short private part: defaults", CallerDevMode(8, Record(800, 300, 1016), 0),
         Le32({500, 500})},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BYTE> written;
        EXPECT_EQ(Ask(printer.handle(), kKlv20, DC_PAPERSIZE, AsDevMode(c.caller), &written, 8),
                  1u);
        EXPECT_EQ(written, c.paper);
        // Without an output buffer only the answer comes back.
        WString device(kKlv20);
        EXPECT_EQ(DrvDeviceCapabilities(printer.handle(), device.data(), DC_PAPERSIZE, nullptr,
                                        AsDevMode(c.caller)),
                  1u);
    }
}

TEST(DeviceCapabilities, ResolutionsFollowTheDeviceName) {
    struct Case {
        const char* what;
        LPCWSTR printerModel;
        LPCWSTR device;
        SHORT storedBaseDpi; // 0: nothing stored
        std::vector<BYTE> caller;
        const std::vector<BYTE>* expected;
    };
    Case cases[] = {
        {"KLV-20, nothing stored", kKlv20, kKlv20, 0, {}, &kKlv20Resolutions},
        {"other model, nothing stored", kKlv10, kKlv10, 0, {}, &kKlv10Resolutions},
        // The stored record's own base resolution is replaced by the device name's.
        {"KLV-20, stored under another model", kKlv20, kKlv20, 1058, {}, &kKlv20Resolutions},
        {"other model, stored under the KLV-20", kKlv10, kKlv10, 1016, {}, &kKlv10Resolutions},
        {"device name differs from the driver", kKlv20, kKlv10, 0, {}, &kKlv10Resolutions},
        // A valid caller private part brings its own base resolution.
        {"caller's private part", kKlv20, kKlv20, 0, CallerDevMode(1536, Record(500, 500, 1058), 0),
         &kKlv10Resolutions},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestPrinter printer(c.printerModel);
        if (c.storedBaseDpi != 0) {
            const PrinterSettings stored = Record(500, 500, c.storedBaseDpi);
            ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
        }
        std::vector<BYTE> written;
        EXPECT_EQ(
            Ask(printer.handle(), c.device, DC_ENUMRESOLUTIONS, AsDevMode(c.caller), &written, 64),
            8u);
        EXPECT_EQ(written, *c.expected);
    }
}

TEST(DeviceCapabilities, ExtentsAreTheLimitsPacked) {
    TestPrinter printer(kKlv20);
    PrinterSettings limits = Record(500, 500, 1016);
    limits.LimitX = 800;
    limits.LimitY = 500;
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &limits, sizeof limits), 1u);
    PrinterSettings callerLimits = limits;
    callerLimits.LimitX = 300;
    callerLimits.LimitY = 1200;
    std::vector<BYTE> caller = CallerDevMode(1536, callerLimits, 0);
    WString device(kKlv20);

    for (WORD capability : {WORD{DC_MINEXTENT}, WORD{DC_MAXEXTENT}}) {
        SCOPED_TRACE(capability);
        EXPECT_EQ(
            DrvDeviceCapabilities(printer.handle(), device.data(), capability, nullptr, nullptr),
            500u * 65536 + 800);
        EXPECT_EQ(DrvDeviceCapabilities(printer.handle(), device.data(), capability, nullptr,
                                        AsDevMode(caller)),
                  1200u * 65536 + 300);
    }
}

TEST(DeviceCapabilities, FieldsAddWhatTheCallerSet) {
    TestPrinter printer(kKlv20);
    WString device(kKlv20);
    const PrinterSettings ps = Record(500, 500, 1016);
    struct Case {
        DWORD callerFields;
        DWORD answer;
    };
    const Case cases[] = {
        {0, 0x6C0E},
        {DM_ORIENTATION | DM_COPIES, 0x6C0E | DM_ORIENTATION | DM_COPIES},
        {DM_SCALE | DM_DEFAULTSOURCE, 0x6C0E | DM_SCALE | DM_DEFAULTSOURCE},
        // Fields the merge never takes from a caller add nothing.
        {DM_DUPLEX | DM_COLLATE, 0x6C0E},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "caller fields 0x" << c.callerFields);
        std::vector<BYTE> caller = CallerDevMode(1536, ps, c.callerFields);
        EXPECT_EQ(DrvDeviceCapabilities(printer.handle(), device.data(), DC_FIELDS, nullptr,
                                        AsDevMode(caller)),
                  c.answer);
    }
}

} // namespace

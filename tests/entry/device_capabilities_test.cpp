// Device capability answers: every capability number with and without an output buffer, and the
// settings the answers follow (stored properties, the caller's private part, the device name).
#include <windows.h>

#include "entry/driver_ui.h"
#include "settings/printer_data.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>

namespace {

using namespace testdm;

constexpr DWORD kNotAnswered = static_cast<DWORD>(-1);

template <typename T> Bytes Le(std::initializer_list<T> values) {
    Bytes bytes;
    for (T v : values) {
        const Bytes one = Slice(&v, 0, sizeof v);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

// The eight resolutions, frame indexes 3 to 10, as x/y pairs.
Bytes Resolutions(std::initializer_list<LONG> dpis) {
    Bytes bytes;
    for (LONG dpi : dpis) {
        const Bytes pair = Le<LONG>({dpi, dpi});
        bytes.insert(bytes.end(), pair.begin(), pair.end());
    }
    return bytes;
}
const Bytes kKlv20Resolutions = Resolutions({339, 254, 203, 169, 145, 127, 113, 102});
const Bytes kOtherResolutions = Resolutions({353, 265, 212, 176, 151, 132, 118, 106});

// Asks with an output of 256 bytes of 0xA5; returns the answer and checks that exactly the
// expected bytes were written.
DWORD Ask(HANDLE printer, LPCWSTR device, WORD capability, DEVMODEW* pdm, const Bytes& expected) {
    Bytes out(256, 0xA5);
    std::basic_string<WCHAR> name(device);
    const DWORD answer = DrvDeviceCapabilities(printer, name.data(), capability, out.data(), pdm);
    Bytes want = expected;
    want.resize(256, 0xA5);
    EXPECT_EQ(out, want) << "capability " << capability;
    EXPECT_EQ(DrvDeviceCapabilities(printer, name.data(), capability, nullptr, pdm), answer)
        << "without an output buffer";
    return answer;
}

TEST(DeviceCapabilities, EveryCapabilityWithDriverDefaults) {
    const std::tuple<WORD, DWORD, Bytes> cases[] = {
        {0, kNotAnswered, {}},
        {DC_FIELDS, 0x6C0E, {}},
        {DC_PAPERS, 1, Le<WORD>({256})},
        {DC_PAPERSIZE, 1, Le<LONG>({500, 500})},
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
        {DC_FILEDEPENDENCIES, 0, Le<WORD>({0})},
        {DC_TRUETYPE, DCTT_BITMAP, {}},
        {DC_PAPERNAMES, 1, Le<WORD>({'U', 's', 'e', 'r', ' ', 'S', 'i', 'z', 'e', 0})},
        {DC_ORIENTATION, 0, {}},
        {DC_COPIES, 1, {}},
        {19, kNotAnswered, {}},
        {0xFFFF, kNotAnswered, {}}};
    TestPrinter printer(kKlv20);
    for (const auto& [capability, answer, written] : cases) {
        EXPECT_EQ(Ask(printer.handle(), kKlv20, capability, nullptr, written), answer)
            << capability;
    }
}

// Without a caller's DEVMODE the printer's stored settings count, with the base resolution of the
// device name; a caller's own signed private part replaces them, an unsigned or short one gives
// the defaults; the caller's public fields add their bits.
TEST(DeviceCapabilities, AnswersFollowTheSettingsInUse) {
    PrinterSettings stored = Record(1234, 567);
    stored.LimitX = 800;
    stored.BaseDpi = 1058;
    PrinterSettings own = Record(800, 300);
    own.LimitY = 1200;
    own.BaseDpi = 1058;
    PrinterSettings unsigned_ = own;
    unsigned_.dwPrivData = 0;
    DriverDevMode pub = Defaults(kKlv20);
    pub.dm.dmFields = DM_ORIENTATION | DM_COPIES | DM_DUPLEX | DM_COLLATE;
    enum Caller { None, Own, Unsigned, Short };
    const struct {
        LPCWSTR model, device;
        bool storedRecord;
        Caller caller;
        WORD capability;
        DWORD answer;
        Bytes written;
    } cases[] = {
        {kKlv20, kKlv20, true, None, DC_PAPERSIZE, 1, Le<LONG>({1234, 567})},
        {kKlv20, kKlv20, true, Own, DC_PAPERSIZE, 1, Le<LONG>({800, 300})},
        {kKlv20, kKlv20, true, Unsigned, DC_PAPERSIZE, 1, Le<LONG>({500, 500})},
        {kKlv20, kKlv20, true, Short, DC_PAPERSIZE, 1, Le<LONG>({500, 500})},
        {kKlv20, kKlv20, true, None, DC_MAXEXTENT, 500 * 65536 + 800, {}},
        {kKlv20, kKlv20, true, Own, DC_MINEXTENT, 1200 * 65536 + 500, {}},
        {kKlv20, kKlv20, true, None, DC_ENUMRESOLUTIONS, 8, kKlv20Resolutions},
        {kOtherModel, kOtherModel, false, None, DC_ENUMRESOLUTIONS, 8, kOtherResolutions},
        {kKlv20, kOtherModel, false, None, DC_ENUMRESOLUTIONS, 8, kOtherResolutions},
        {kKlv20, kKlv20, false, Own, DC_ENUMRESOLUTIONS, 8, kOtherResolutions},
        {kKlv20, kKlv20, false, Unsigned, DC_FIELDS, 0x6C0E | DM_ORIENTATION | DM_COPIES, {}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        TestPrinter printer(c.model);
        if (c.storedRecord) {
            ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
        }
        DevModeBytes in = DevModeBytes::Of(pub.dm, 220, c.caller == Short ? 8 : 1536,
                                           c.caller == Unsigned ? unsigned_ : own);
        EXPECT_EQ(Ask(printer.handle(), c.device, c.capability,
                      c.caller == None ? nullptr : in.dm(), c.written),
                  c.answer);
    }
}

} // namespace

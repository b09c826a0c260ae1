// Device capability answers: every capability number with and without an output buffer, and the
// settings the answers follow (stored properties, the caller's private part, the device name, the
// printer named when no handle is given).
#include "entry/driver_ui.h"
#include "tests/support/devmode_bytes.h"

#include <map>
#include <tuple>

namespace {

using namespace testdm;

constexpr DWORD kNo = static_cast<DWORD>(-1);

template <typename T> Bytes Le(std::initializer_list<T> values) {
    return Slice(values.begin(), 0, values.size() * sizeof(T));
}

// The eight resolutions, frame indexes 3 to 10, as x/y pairs.
const Bytes kKlv20Dpis =
    Le<LONG>({339, 339, 254, 254, 203, 203, 169, 169, 145, 145, 127, 127, 113, 113, 102, 102});
const Bytes kOtherDpis =
    Le<LONG>({353, 353, 265, 265, 212, 212, 176, 176, 151, 151, 132, 132, 118, 118, 106, 106});

// Asks with and without an output of 256 bytes of 0xA5: both answers must agree, and exactly the
// expected bytes be written.
void ExpectAnswer(HANDLE printer, LPCWSTR device, WORD capability, DEVMODEW* pdm, DWORD answer,
                  const Bytes& written) {
    SCOPED_TRACE(testing::Message() << "capability " << capability);
    WString name(device);
    Bytes out(256, 0xA5), want = written;
    want.resize(256, 0xA5);
    EXPECT_EQ(DrvDeviceCapabilities(printer, name.data(), capability, nullptr, pdm), answer);
    EXPECT_EQ(DrvDeviceCapabilities(printer, name.data(), capability, out.data(), pdm), answer);
    EXPECT_EQ(out, want);
}

TEST(DeviceCapabilities, EveryCapabilityWithDriverDefaults) {
    // By capability number, 0 to 19.
    constexpr DWORD kExtent = 500 * 65536 + 500; // LimitY high, LimitX low
    constexpr DWORD kAnswers[] = {kNo,   0x6C0E, 1, 1, kExtent, kExtent,     0, 0, 220, 1536,
                                  0x401, 287,    0, 8, 0,       DCTT_BITMAP, 1, 0, 1,   kNo};
    const std::map<WORD, Bytes> written = {
        {DC_PAPERS, Le<WORD>({256})},
        {DC_PAPERSIZE, Le<LONG>({500, 500})},
        {DC_ENUMRESOLUTIONS, kKlv20Dpis},
        {DC_FILEDEPENDENCIES, Le<WORD>({0})},
        {DC_PAPERNAMES, Le<WORD>({'U', 's', 'e', 'r', ' ', 'S', 'i', 'z', 'e', 0})}};
    TestPrinter printer(kKlv20);
    for (WORD capability = 0; capability < std::size(kAnswers); ++capability) {
        ExpectAnswer(printer.handle(), kKlv20, capability, nullptr, kAnswers[capability],
                     written.count(capability) ? written.at(capability) : Bytes{});
    }
}

// Without a caller's DEVMODE the printer's stored settings count, with the base resolution of the
// device name; a caller's own signed private part replaces them (the merge's other cases are
// pinned with the DEVMODE rules).
TEST(DeviceCapabilities, AnswersFollowTheSettingsInUse) {
    PrinterSettings stored = Record(1234, 567), own = Record(800, 300);
    stored.LimitX = 800, stored.BaseDpi = 1058, own.LimitY = 1200, own.BaseDpi = 1058;
    DriverDevMode pub = Defaults(kKlv20);
    // The caller's DEVMODE: none, its own signed record, or none and no handle (by name only).
    enum Caller { None, Own, ByName };
    // stored, caller, device name (null: the printer's), capability, answer, bytes written
    const std::tuple<bool, Caller, LPCWSTR, WORD, DWORD, Bytes> cases[] = {
        {false, None, kOtherModel, DC_ENUMRESOLUTIONS, 8, kOtherDpis},
        {false, Own, kKlv20, DC_MINEXTENT, 1200 * 65536 + 500, {}},
        {true, None, kKlv20, DC_MAXEXTENT, 500 * 65536 + 800, {}},
        {true, ByName, nullptr, DC_PAPERSIZE, 1, Le<LONG>({1234, 567})},
        {true, None, kKlv20, DC_ENUMRESOLUTIONS, 8, kKlv20Dpis},
    };
    // The rows without stored settings come first: once stored, the record stays.
    TestPrinter printer(kKlv20);
    DevModeBytes in = DevModeBytes::Of(pub.dm, 220, 1536, own);
    for (const auto& [storedRecord, caller, device, capability, answer, written] : cases) {
        SCOPED_TRACE(testing::Message() << "caller " << caller);
        if (storedRecord) {
            ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
        }
        ExpectAnswer(caller == ByName ? nullptr : printer.handle(),
                     device ? device : printer.name(), capability,
                     caller == Own ? in.dm() : nullptr, answer, written);
    }
}

} // namespace

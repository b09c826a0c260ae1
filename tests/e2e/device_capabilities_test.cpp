// DeviceCapabilitiesW as an application calls it, answered by the installed DLL: the device name
// decides the resolutions, a caller's DEVMODE the work size, and nothing is written beyond the
// answer.
#include "tests/e2e/installed_driver.h"

#include "settings/printer_settings.h"

#include <gtest/gtest.h>

namespace {

std::vector<BYTE> Ask(LPCWSTR printer, WORD capability, int expected, const void* devmode) {
    std::vector<BYTE> out(512, 0xCD);
    EXPECT_EQ(DeviceCapabilitiesW(printer, L"FILE:", capability,
                                  reinterpret_cast<LPWSTR>(out.data()),
                                  static_cast<const DEVMODEW*>(devmode)),
              expected);
    EXPECT_EQ(DeviceCapabilitiesW(printer, L"FILE:", capability, nullptr,
                                  static_cast<const DEVMODEW*>(devmode)),
              expected);
    return out;
}

TEST(DeviceCapabilitiesThroughSpooler, ResolutionsPaperAndSizes) {
    const std::vector<BYTE> klv30 = Ask(kKlv30Printer, DC_ENUMRESOLUTIONS, 8, nullptr);
    const LONG dpis[] = {353, 265, 212, 176, 151, 132, 118, 106};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(At<LONG>(klv30, 8 * i), dpis[i]);
        EXPECT_EQ(At<LONG>(klv30, 8 * i + 4), dpis[i]);
    }
    EXPECT_EQ(klv30[64], 0xCD);
    EXPECT_EQ(At<LONG>(Ask(kKlv20Printer, DC_ENUMRESOLUTIONS, 8, nullptr), 0), 339);
    EXPECT_EQ(Ask(kKlv20Printer, DC_SIZE, 220, nullptr)[0], 0xCD);
    EXPECT_EQ(Ask(kKlv20Printer, DC_EXTRA, 1536, nullptr)[0], 0xCD);

    // A caller's DEVMODE with its own signed record: the work size comes from it.
    std::vector<BYTE> caller(1756);
    {
        OpenedPrinter printer(kKlv20Printer);
        ASSERT_EQ(DocumentPropertiesW(nullptr, printer.handle(), const_cast<LPWSTR>(kKlv20Printer),
                                      reinterpret_cast<DEVMODEW*>(caller.data()), nullptr,
                                      DM_OUT_BUFFER),
                  IDOK);
    }
    PrinterSettings ps = At<PrinterSettings>(caller, 220);
    ps.UserDefinedX = 640;
    ps.UserDefinedY = 330;
    std::memcpy(caller.data() + 220, &ps, sizeof ps);
    const std::vector<BYTE> paper = Ask(kKlv20Printer, DC_PAPERSIZE, 1, caller.data());
    EXPECT_EQ(At<LONG>(paper, 0), 640);
    EXPECT_EQ(At<LONG>(paper, 4), 330);
    EXPECT_EQ(paper[8], 0xCD);
}

} // namespace

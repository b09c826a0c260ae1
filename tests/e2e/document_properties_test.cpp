// The installed DLL reached as an application reaches it, one path per entry point that Wine's
// spooler calls: DocumentPropertiesW with the driver's defaults, the printer's stored record and a
// caller's DEVMODE; DeviceCapabilitiesW with the device name's resolutions and a caller's record.
#include "tests/e2e/installed_driver.h"

#include "settings/printer_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The call on an opened printer, with room for the whole driver DEVMODE and a guard after it.
LONG Ask(LPCWSTR printerName, std::vector<BYTE>* input, std::vector<BYTE>* out) {
    OpenedPrinter printer(printerName);
    out->assign(1756 + 64, 0xCD);
    const DWORD mode = DM_OUT_BUFFER | (input ? DM_IN_BUFFER : 0);
    return DocumentPropertiesW(nullptr, printer.handle(), const_cast<LPWSTR>(printerName),
                               reinterpret_cast<DEVMODEW*>(out->data()),
                               input ? reinterpret_cast<DEVMODEW*>(input->data()) : nullptr, mode);
}

TEST(ThroughSpooler, DocumentProperties) {
    std::vector<BYTE> klv30;
    ASSERT_EQ(Ask(kKlv30Printer, nullptr, &klv30), IDOK);
    EXPECT_EQ(std::wstring(At<DEVMODEW>(klv30, 0).dmDeviceName), kKlv30Model);
    EXPECT_EQ(At<DEVMODEW>(klv30, 0).dmPrintQuality, 265);
    EXPECT_EQ(At<PrinterSettings>(klv30, 220).BaseDpi, 1058);

    std::vector<BYTE> answer;
    ASSERT_EQ(Ask(kStoredRecordPrinter, nullptr, &answer), IDOK);
    PrinterSettings stored = At<PrinterSettings>(answer, 220);
    stored.UserDefinedX = 720;
    {
        OpenedPrinter printer(kStoredRecordPrinter);
        DWORD size = sizeof stored;
        ASSERT_EQ(SetPrinterDataW(printer.handle(), const_cast<LPWSTR>(L"PrinterDataSize"),
                                  REG_DWORD, reinterpret_cast<LPBYTE>(&size), sizeof size),
                  0u);
        ASSERT_EQ(SetPrinterDataW(printer.handle(), const_cast<LPWSTR>(L"PrinterData"), REG_BINARY,
                                  reinterpret_cast<LPBYTE>(&stored), size),
                  0u);
    }
    std::vector<BYTE> out;
    ASSERT_EQ(Ask(kStoredRecordPrinter, nullptr, &out), IDOK);
    EXPECT_EQ(At<PrinterSettings>(out, 220).UserDefinedX, 720);
    EXPECT_EQ(At<DEVMODEW>(out, 0).dmPaperWidth, 720);

    // A caller's own signed record wins; an old 188 + 8 layout is answered in that layout.
    std::vector<BYTE> caller(answer.begin(), answer.begin() + 1756);
    std::memcpy(caller.data() + 220, &stored, sizeof stored);
    reinterpret_cast<PrinterSettings*>(caller.data() + 220)->UserDefinedX = 400;
    ASSERT_EQ(Ask(kStoredRecordPrinter, &caller, &out), IDOK);
    EXPECT_EQ(At<DEVMODEW>(out, 0).dmPaperWidth, 400);
    std::vector<BYTE> old(answer.begin(), answer.begin() + 196);
    auto* header = reinterpret_cast<DEVMODEW*>(old.data());
    header->dmSpecVersion = 0x320, header->dmSize = 188, header->dmDriverExtra = 8;
    ASSERT_EQ(Ask(kStoredRecordPrinter, &old, &out), IDOK);
    EXPECT_EQ(At<DEVMODEW>(out, 0).dmSize, 188);
    EXPECT_EQ(std::vector<BYTE>(out.begin() + 196, out.end()), std::vector<BYTE>(1624, 0xCD));
}

TEST(ThroughSpooler, DeviceCapabilities) {
    std::vector<BYTE> out(512, 0xCD);
    auto ask = [&](LPCWSTR printer, WORD capability, const std::vector<BYTE>* devmode) {
        std::fill(out.begin(), out.end(), 0xCD);
        const auto* dm = devmode ? reinterpret_cast<const DEVMODEW*>(devmode->data()) : nullptr;
        EXPECT_EQ(DeviceCapabilitiesW(printer, L"FILE:", capability, nullptr, dm),
                  DeviceCapabilitiesW(printer, L"FILE:", capability, LPWSTR(out.data()), dm));
        return DeviceCapabilitiesW(printer, L"FILE:", capability, nullptr, dm);
    };
    ASSERT_EQ(ask(kKlv30Printer, DC_ENUMRESOLUTIONS, nullptr), 8);
    const LONG dpis[] = {353, 265, 212, 176, 151, 132, 118, 106};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(At<LONG>(out, 8 * i), dpis[i]);
        EXPECT_EQ(At<LONG>(out, 8 * i + 4), dpis[i]);
    }
    EXPECT_EQ(out[64], 0xCD);
    std::vector<BYTE> caller;
    ASSERT_EQ(Ask(kKlv20Printer, nullptr, &caller), IDOK);
    reinterpret_cast<PrinterSettings*>(caller.data() + 220)->UserDefinedY = 330;
    ASSERT_EQ(ask(kKlv20Printer, DC_PAPERSIZE, &caller), 1);
    EXPECT_EQ(At<LONG>(out, 0), 500);
    EXPECT_EQ(At<LONG>(out, 4), 330);
    EXPECT_EQ(out[8], 0xCD);
}

} // namespace

// DocumentPropertiesW as an application calls it, answered by the installed DLL: the size query,
// the defaults of the driver's model, the printer's stored settings and a caller's DEVMODE merged
// in its own layout.
#include "tests/e2e/installed_driver.h"

#include "settings/printer_settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr BYTE kUntouched = 0xCD;

// The call on an opened printer, with room for the whole driver DEVMODE so that writing more than
// the caller's layout shows.
LONG Ask(LPCWSTR printerName, std::vector<BYTE>* input, DWORD mode, std::vector<BYTE>* out) {
    OpenedPrinter printer(printerName);
    out->assign(1756, kUntouched);
    return DocumentPropertiesW(nullptr, printer.handle(), const_cast<LPWSTR>(printerName),
                               reinterpret_cast<DEVMODEW*>(out->data()),
                               input ? reinterpret_cast<DEVMODEW*>(input->data()) : nullptr, mode);
}

TEST(DocumentPropertiesThroughSpooler, SizeQueryAndTheDefaultsOfTheDriversModel) {
    const struct {
        LPCWSTR printer, driver;
        SHORT base, dpi;
    } cases[] = {{kKlv20Printer, kKlv20Model, 1016, 254}, {kKlv30Printer, kKlv30Model, 1058, 265}};
    for (const auto& c : cases) {
        OpenedPrinter printer(c.printer);
        EXPECT_EQ(DocumentPropertiesW(nullptr, printer.handle(), const_cast<LPWSTR>(c.printer),
                                      nullptr, nullptr, 0),
                  1756);
        std::vector<BYTE> out;
        ASSERT_EQ(Ask(c.printer, nullptr, DM_OUT_BUFFER, &out), IDOK);
        const DEVMODEW dm = At<DEVMODEW>(out, 0);
        EXPECT_EQ(std::wstring(dm.dmDeviceName), c.driver);
        EXPECT_EQ(dm.dmSize, 220);
        EXPECT_EQ(dm.dmDriverExtra, 1536);
        EXPECT_EQ(dm.dmPrintQuality, c.dpi);
        EXPECT_EQ(At<PrinterSettings>(out, 220).BaseDpi, c.base);
        EXPECT_EQ(At<PrinterSettings>(out, 220).dwPrivData, kPrivSignature);
    }
}

// Without a caller's DEVMODE the record stored in the printer's data counts; a caller's own
// signed record replaces it; an old 188 + 8 layout gets its answer in that layout.
TEST(DocumentPropertiesThroughSpooler, StoredRecordAndCallersDevMode) {
    std::vector<BYTE> answer;
    ASSERT_EQ(Ask(kStoredRecordPrinter, nullptr, DM_OUT_BUFFER, &answer), IDOK);
    PrinterSettings stored = At<PrinterSettings>(answer, 220);
    stored.UserDefinedX = 720;
    stored.UserDefinedY = 410;
    {
        OpenedPrinter printer(kStoredRecordPrinter);
        DWORD size = sizeof stored;
        ASSERT_EQ(SetPrinterDataW(printer.handle(), const_cast<LPWSTR>(L"PrinterDataSize"),
                                  REG_DWORD, reinterpret_cast<LPBYTE>(&size), sizeof size),
                  static_cast<DWORD>(ERROR_SUCCESS));
        ASSERT_EQ(SetPrinterDataW(printer.handle(), const_cast<LPWSTR>(L"PrinterData"),
                                  REG_BINARY, reinterpret_cast<LPBYTE>(&stored), size),
                  static_cast<DWORD>(ERROR_SUCCESS));
    }
    std::vector<BYTE> out;
    ASSERT_EQ(Ask(kStoredRecordPrinter, nullptr, DM_OUT_BUFFER, &out), IDOK);
    EXPECT_EQ(At<PrinterSettings>(out, 220).UserDefinedX, 720);
    EXPECT_EQ(At<DEVMODEW>(out, 0).dmPaperLength, 410);

    std::vector<BYTE> caller = answer;
    PrinterSettings own = stored;
    own.UserDefinedX = 400;
    std::memcpy(caller.data() + 220, &own, sizeof own);
    ASSERT_EQ(Ask(kStoredRecordPrinter, &caller, DM_IN_BUFFER | DM_OUT_BUFFER, &out), IDOK);
    EXPECT_EQ(At<PrinterSettings>(out, 220).UserDefinedX, 400);
    EXPECT_EQ(At<DEVMODEW>(out, 0).dmPaperWidth, 400);

    std::vector<BYTE> old(196, 0);
    DEVMODEW header = At<DEVMODEW>(answer, 0);
    header.dmSpecVersion = 0x320;
    header.dmSize = 188;
    header.dmDriverExtra = 8;
    std::memcpy(old.data(), &header, 188);
    ASSERT_EQ(Ask(kStoredRecordPrinter, &old, DM_IN_BUFFER | DM_OUT_BUFFER, &out), IDOK);
    EXPECT_EQ(At<DEVMODEW>(out, 0).dmSize, 188);
    EXPECT_EQ(At<DEVMODEW>(out, 0).dmDriverExtra, 8);
    EXPECT_EQ(std::vector<BYTE>(out.begin() + 196, out.end()),
              std::vector<BYTE>(1756 - 196, kUntouched));
}

} // namespace

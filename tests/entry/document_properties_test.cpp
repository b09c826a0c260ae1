// Document requests without a sheet: size requests, the DEVMODE written or not by the mode, the
// spooler's call without sheet information, the trivial exports.
#include <windows.h>

#include "entry/driver_ui.h"
#include "settings/printer_data.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using namespace testdm;

// Both entries, on a printer with a 72 x 41 mm record stored: the mode and whether an output is
// given decide between the size, the DEVMODE written, and nothing written; never a byte beyond.
TEST(DocumentProperties, AnswerByModeWithAndWithoutSheetInformation) {
    TestPrinter printer(kKlv20);
    const PrinterSettings stored = Record(720, 410);
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
    std::basic_string<WCHAR> device(kKlv20);
    std::basic_string<WCHAR> nowhere(TEXT("No such VORIKA printer"));
    // The printer, the mode, whether an output is given, the two entries' answers, written.
    const std::tuple<HANDLE, DWORD, bool, LONG, LONG, bool> cases[] = {
        {printer.handle(), DM_COPY, true, IDOK, 1, true},
        {printer.handle(), DM_UPDATE, true, IDOK, 1, true},
        {printer.handle(), DM_MODIFY, true, IDOK, 1, false},
        {printer.handle(), 0, true, 1756, 1756, false},
        {printer.handle(), DM_COPY, false, 1756, 1756, false},
        {printer.handle(), DM_PROMPT | DM_COPY, false, 1756, 1756, false},
        {nullptr, DM_COPY, true, -1, -1, false}};
    for (const auto& [handle, mode, output, plain, sheets, written] : cases) {
        SCOPED_TRACE(mode);
        for (bool viaSheets : {false, true}) {
            Bytes out(1756 + 64, 0xA5);
            auto* pdmOut = output ? reinterpret_cast<DEVMODEW*>(out.data()) : nullptr;
            LPWSTR name = handle ? device.data() : nowhere.data();
            DOCUMENTPROPERTYHEADER header{sizeof header, 0, handle, name, nullptr, pdmOut, 0, mode};
            EXPECT_EQ(viaSheets
                          ? DrvDocumentPropertySheets(nullptr, LPARAM(&header))
                          : DrvDocumentProperties(nullptr, handle, name, pdmOut, nullptr, mode),
                      viaSheets ? sheets : plain);
            EXPECT_EQ(header.cbOut, viaSheets ? 1756u : 0u);
            EXPECT_EQ(Bytes(out.begin() + 1756, out.end()), Bytes(64, 0xA5));
            EXPECT_EQ(out[0] != 0xA5, written);
            EXPECT_EQ(out[220] == 0xD0 && out[221] == 0x02, written) << "the stored width";
        }
    }
    EXPECT_EQ(DrvDocumentPropertySheets(nullptr, 0), -1);
    EXPECT_EQ(
        DrvAdvancedDocumentProperties(nullptr, printer.handle(), device.data(), nullptr, nullptr),
        1756);
}

TEST(TrivialExports, UpgradeFailsQueriesAndPrinterEventsSucceed) {
    BYTE info[64] = {};
    for (LPBYTE p : {static_cast<LPBYTE>(info), static_cast<LPBYTE>(nullptr)}) {
        SetLastError(0);
        EXPECT_EQ(DrvUpgradePrinter(1, p), FALSE);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    DEVQUERYPRINT_INFO query{};
    EXPECT_EQ(DevQueryPrintEx(&query), TRUE);
    WCHAR name[] = TEXT("VORIKA");
    for (INT event : {1, 4, 12, -1}) {
        EXPECT_EQ(DrvPrinterEvent(name, event, 0, 0), TRUE);
    }
}

} // namespace

// Document requests without a sheet: size requests, the DEVMODE written or not by the mode, the
// printer by handle or by name only, the spooler's call without sheet information; the trivial
// exports.
#include "entry/driver_ui.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_sheet_host.h"

#include <tuple>

namespace {

using namespace testdm;

// Both entries, on a printer with a 72 x 41 mm record stored: the mode, the output and the printer
// decide between the size, the DEVMODE written, nothing written and failure; never a byte beyond.
// Both answer alike (IDOK is 1) and write alike.
TEST(DocumentProperties, AnswerByModeWithAndWithoutSheetInformation) {
    StoredPrinter printer;
    enum Printer { Handle, ByName, NoName };
    // printer, mode, output given, answer, DEVMODE written
    const std::tuple<Printer, DWORD, bool, LONG, bool> cases[] = {
        {Handle, DM_COPY, true, IDOK, true}, {Handle, DM_MODIFY, true, IDOK, false},
        {Handle, 0, true, 1756, false},      {Handle, DM_COPY, false, 1756, false},
        {ByName, DM_COPY, true, IDOK, true}, {NoName, DM_COPY, true, -1, false}};
    for (const auto& [named, mode, output, answer, written] : cases) {
        SCOPED_TRACE(testing::Message() << "printer " << named << ", mode " << mode);
        HANDLE handle = named == Handle ? printer.handle() : nullptr;
        LPWSTR device = named == NoName ? nullptr : printer.name();
        Bytes out(1756 + 64, 0xA5), direct = out;
        auto* pdmOut = output ? reinterpret_cast<DEVMODEW*>(out.data()) : nullptr;
        DOCUMENTPROPERTYHEADER header{sizeof header, 0, handle, device, nullptr, pdmOut, 0, mode};
        EXPECT_EQ(DrvDocumentPropertySheets(nullptr, LPARAM(&header)), answer);
        EXPECT_EQ(header.cbOut, 1756u);
        auto* pdmDirect = output ? reinterpret_cast<DEVMODEW*>(direct.data()) : nullptr;
        EXPECT_EQ(DrvDocumentProperties(nullptr, handle, device, pdmDirect, nullptr, mode), answer);
        EXPECT_EQ(direct, out);
        EXPECT_EQ(Bytes(out.begin() + 1756, out.end()), Bytes(64, 0xA5));
        EXPECT_EQ(out[0] != 0xA5, written);
        EXPECT_EQ(out[220] == 0xD0 && out[221] == 0x02, written) << "the stored width";
    }
    EXPECT_EQ(DrvDocumentPropertySheets(nullptr, 0), -1);
    EXPECT_EQ(DrvAdvancedDocumentProperties(nullptr, nullptr, printer.name(), nullptr, nullptr),
              1756);
}

TEST(TrivialExports, UpgradeFailsQueriesAndPrinterEventsSucceed) {
    SetLastError(0);
    DEVQUERYPRINT_INFO query{};
    WCHAR name[] = TEXT("VORIKA");
    // Braces: evaluated in order, so the error read is the upgrade's.
    EXPECT_EQ((std::tuple{DrvUpgradePrinter(1, nullptr), GetLastError(), DevQueryPrintEx(&query),
                          DrvPrinterEvent(name, 4, 0, 0)}),
              (std::tuple{FALSE, DWORD{ERROR_INVALID_PARAMETER}, TRUE, TRUE}));
}

} // namespace

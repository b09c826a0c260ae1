// The sheets through Wine's own property-sheet host, as an application opens them: the user
// switches the unit on the Material page and confirms, or cancels; the printer sheet shows its
// one page.
#include "tests/e2e/installed_driver.h"

#include "resources/resource.h"
#include "settings/driver_devmode.h"
#include "settings/printer_data.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <prsht.h>

namespace {

constexpr LPCWSTR kSheetPrinter = L"VORIKA e2e sheets";

enum class Press { Ok, Cancel };

// What the user does on the sheet's first page, and what the test saw.
struct SheetSeen {
    Press press = Press::Ok;
    bool switchUnit = true;
    int tabs = -1;
    bool done = false;
};

SheetSeen* seen = nullptr;

HWND FindSheet() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            if (PropSheet_GetTabControl(window) != nullptr) {
                *reinterpret_cast<HWND*>(out) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs in the sheet's own message loop: the user's turn.
void CALLBACK ActOnSheet(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sheet = FindSheet();
    if (sheet == nullptr || seen->done) {
        return;
    }
    KillTimer(nullptr, timer);
    seen->done = true;
    seen->tabs = TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet));
    if (seen->switchUnit) {
        SendDlgItemMessageW(PropSheet_GetCurrentPageHwnd(sheet), IDC_UNIT_INCH, BM_CLICK, 0, 0);
    }
    PropSheet_PressButton(sheet, (seen->press == Press::Ok ? PSBTN_OK : PSBTN_CANCEL));
}

SHORT StoredUnit(HANDLE printer) {
    PrinterSettings* stored = GetPrinterProperties(printer, kKlv20Model);
    const SHORT unit = stored->UserUnit;
    GlobalFree(stored);
    return unit;
}

// Opens the document sheet with a prompt; the user presses `press` after switching the unit.
LONG RunDocumentSheet(Press press, SheetSeen* result, DriverDevMode* out) {
    seen = result;
    seen->press = press;
    SetTimer(nullptr, 0, 50, ActOnSheet);
    return DocumentPropertiesW(nullptr, nullptr, const_cast<LPWSTR>(kSheetPrinter), &out->dm,
                               nullptr, DM_OUT_BUFFER | DM_IN_PROMPT);
}

TEST(Sheets, DocumentSheetConfirmedStoresCancelledDoesNot) {
    AddPrinterOfModel(kSheetPrinter, kKlv20Model);
    OpenedPrinter printer(kSheetPrinter);

    SheetSeen cancelled;
    DriverDevMode out{};
    RunDocumentSheet(Press::Cancel, &cancelled, &out);
    EXPECT_EQ(cancelled.tabs, 3);
    EXPECT_EQ(StoredUnit(printer.handle()), 0);
    EXPECT_EQ(out.ps.UserUnit, 0); // the merged DEVMODE written when the sheet opened

    SheetSeen confirmed;
    RunDocumentSheet(Press::Ok, &confirmed, &out);
    EXPECT_EQ(confirmed.tabs, 3);
    EXPECT_EQ(out.ps.UserUnit, 1);
    EXPECT_EQ(StoredUnit(printer.handle()), 1);

    // A later request without a DEVMODE sees what the confirmed sheet stored.
    DriverDevMode later{};
    EXPECT_EQ(DocumentPropertiesW(nullptr, nullptr, const_cast<LPWSTR>(kSheetPrinter), &later.dm,
                                  nullptr, DM_OUT_BUFFER),
              IDOK);
    EXPECT_EQ(later.ps.UserUnit, 1);
}

TEST(Sheets, PrinterSheetShowsTheInformationPage) {
    OpenedPrinter printer(kKlv20Printer);
    SheetSeen info;
    info.press = Press::Cancel;
    info.switchUnit = false;
    seen = &info;
    SetTimer(nullptr, 0, 50, ActOnSheet);
    // Wine's winspool does not pass PrinterProperties on to the driver: the application's call is
    // made to the installed configuration file directly.
    HMODULE driver = LoadLibraryW(InstalledDriverPath().c_str());
    ASSERT_NE(driver, nullptr);
    auto printerProperties = reinterpret_cast<BOOL(WINAPI*)(HWND, HANDLE)>(
        reinterpret_cast<void*>(GetProcAddress(driver, "PrinterProperties")));
    ASSERT_NE(printerProperties, nullptr);
    printerProperties(nullptr, printer.handle());
    EXPECT_EQ(info.tabs, 1);
    FreeLibrary(driver);
}

} // namespace

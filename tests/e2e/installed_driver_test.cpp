// The DLL of this build installed as the configuration file of printers in Wine's spooler and
// reached as applications reach it: a printer added with the driver in place, the print dialogs'
// defaults, document properties and capabilities asked for by printer name only (Wine's spooler
// passes no handle there), and the sheets through Wine's own property-sheet host.
#include "resources/resource.h"
#include "settings/driver_devmode.h"
#include "settings/printer_data.h"
#include "tests/support/test_printer.h"

#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>
#include <prsht.h>

#include <string>

namespace {

constexpr LPCWSTR kKlv20 = L"Velmar VORIKA KLV-20";
// Added before the DLL of this build is in place, so that a broken build cannot break the set-up.
constexpr LPCWSTR kSheetPrinter = L"VORIKA e2e sheets";

void AddPrinterOfModel(LPCWSTR name) {
    PRINTER_INFO_2W info{};
    info.pPrinterName = const_cast<LPWSTR>(name);
    info.pPortName = const_cast<LPWSTR>(L"FILE:");
    info.pDriverName = const_cast<LPWSTR>(kKlv20);
    info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
    info.pDatatype = const_cast<LPWSTR>(L"RAW");
    HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    ASSERT_NE(printer, nullptr) << GetLastError();
    ClosePrinter(printer);
}

// Where the spooler keeps this driver's configuration file: the DLL applications load.
std::wstring InstalledDriverPath() {
    WCHAR directory[MAX_PATH];
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, LPBYTE(directory), sizeof directory,
                                    &needed)) {
        return {};
    }
    return directory + std::wstring(L"\\3\\vorikaui.dll");
}

class InstalledDriver : public ::testing::Environment {
    void SetUp() override {
        // A printer left from an earlier run in the same prefix is kept as it is: registering its
        // driver again would load the DLL in place, which then stays loaded (it pins itself) and
        // keeps the copy below from replacing it.
        HANDLE printer = nullptr;
        if (OpenPrinterW(const_cast<LPWSTR>(kSheetPrinter), &printer, nullptr)) {
            ClosePrinter(printer);
        } else {
            RegisterTestDriver(kKlv20);
            AddPrinterOfModel(kSheetPrinter);
        }
        ASSERT_TRUE(CopyFileW(L"" VORIKA_BUILT_DLL, InstalledDriverPath().c_str(), FALSE))
            << GetLastError();
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new InstalledDriver);

// What the dialogs hand an application: the driver's DEVMODE for a portrait-only printer whose
// only paper is the user-defined 50 by 50 mm.
void ExpectDriverDefaults(HGLOBAL devMode) {
    const auto* dm = static_cast<const DriverDevMode*>(GlobalLock(devMode));
    ASSERT_NE(dm, nullptr);
    EXPECT_EQ(dm->dm.dmSize + dm->dm.dmDriverExtra, kDriverDevModeSize);
    EXPECT_EQ(dm->ps.dwPrivData, kPrivSignature);
    EXPECT_EQ(dm->dm.dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(dm->dm.dmPaperSize, DMPAPER_USER);
    EXPECT_EQ(dm->dm.dmPaperWidth, 500);
    EXPECT_EQ(dm->dm.dmPaperLength, 500);
    GlobalUnlock(devMode);
    GlobalFree(devMode);
}

TEST(Applications, MeetTheDriverByPrinterNameOnly) {
    // Added with the DLL in place: the spooler asks the driver for the new printer's DEVMODE.
    constexpr LPCWSTR kAdded = L"VORIKA e2e added with the driver in place";
    AddPrinterOfModel(kAdded);
    ASSERT_TRUE(SetDefaultPrinterW(kAdded)) << GetLastError();
    PRINTDLGW pd{sizeof pd};
    pd.Flags = PD_RETURNDEFAULT;
    ASSERT_TRUE(PrintDlgW(&pd)) << CommDlgExtendedError();
    ExpectDriverDefaults(pd.hDevMode);
    GlobalFree(pd.hDevNames);
    PAGESETUPDLGW psd{sizeof psd};
    psd.Flags = PSD_RETURNDEFAULT | PSD_INHUNDREDTHSOFMILLIMETERS;
    ASSERT_TRUE(PageSetupDlgW(&psd)) << CommDlgExtendedError();
    ExpectDriverDefaults(psd.hDevMode);
    GlobalFree(psd.hDevNames);
    EXPECT_EQ(psd.ptPaperSize.x, 5000);
    EXPECT_EQ(psd.ptPaperSize.y, 5000);

    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kAdded), &printer, nullptr));
    PrinterSettings stored;
    SetDefaultPrinterSettings(&stored, kBaseDpiKlv20);
    stored.UserDefinedX = 432;
    stored.UserDefinedY = 210;
    EXPECT_EQ(SavePrinterProperties(printer, &stored, sizeof stored), 1u);
    ClosePrinter(printer);
    DriverDevMode out{};
    EXPECT_EQ(DocumentPropertiesW(nullptr, nullptr, const_cast<LPWSTR>(kAdded), &out.dm, nullptr,
                                  DM_OUT_BUFFER),
              IDOK);
    EXPECT_EQ(out.ps.UserDefinedX, 432);
    EXPECT_EQ(out.dm.dmPaperLength, 210);
    POINT size{};
    EXPECT_EQ(DeviceCapabilitiesW(kAdded, L"FILE:", DC_PAPERSIZE, LPWSTR(&size), nullptr), 1);
    EXPECT_EQ(size.x, 432);
    EXPECT_EQ(size.y, 210);
}

// The user's turn on a sheet, from a timer that its own message loop runs: count the tabs,
// optionally switch the Material page's unit, press OK or Cancel.
struct SheetUser {
    bool ok = true;
    bool switchUnit = true;
    int tabs = -1;
} * user;

void CALLBACK ActOnSheet(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sheet = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            *reinterpret_cast<HWND*>(found) = window;
            return PropSheet_GetTabControl(window) == nullptr;
        },
        reinterpret_cast<LPARAM>(&sheet));
    if (sheet == nullptr || PropSheet_GetTabControl(sheet) == nullptr || user->tabs >= 0) {
        return;
    }
    KillTimer(nullptr, timer);
    user->tabs = TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet));
    if (user->switchUnit) {
        SendDlgItemMessageW(PropSheet_GetCurrentPageHwnd(sheet), IDC_UNIT_INCH, BM_CLICK, 0, 0);
    }
    PropSheet_PressButton(sheet, user->ok ? PSBTN_OK : PSBTN_CANCEL);
}

TEST(Sheets, DocumentSheetConfirmedStoresCancelledDoesNot) {
    for (bool ok : {false, true}) {
        SheetUser act{ok};
        user = &act;
        SetTimer(nullptr, 0, 50, ActOnSheet);
        DriverDevMode out{};
        DocumentPropertiesW(nullptr, nullptr, const_cast<LPWSTR>(kSheetPrinter), &out.dm, nullptr,
                            DM_OUT_BUFFER | DM_IN_PROMPT);
        EXPECT_EQ(act.tabs, 3);
        EXPECT_EQ(out.ps.UserUnit, ok ? 1 : 0) << "the DEVMODE written when the sheet opened stays";
        // A later request without a DEVMODE sees what a confirmed sheet stored.
        HANDLE printer = nullptr;
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kSheetPrinter), &printer, nullptr));
        DriverDevMode later{};
        EXPECT_EQ(DocumentPropertiesW(nullptr, printer, const_cast<LPWSTR>(kSheetPrinter),
                                      &later.dm, nullptr, DM_OUT_BUFFER),
                  IDOK);
        EXPECT_EQ(later.ps.UserUnit, ok ? 1 : 0);
        ClosePrinter(printer);
    }
}

TEST(Sheets, PrinterSheetShowsTheInformationPage) {
    SheetUser act{false, false};
    user = &act;
    SetTimer(nullptr, 0, 50, ActOnSheet);
    // Wine's winspool does not pass PrinterProperties on to the driver: the application's call is
    // made to the installed configuration file directly.
    HMODULE driver = LoadLibraryW(InstalledDriverPath().c_str());
    auto printerProperties = reinterpret_cast<BOOL(WINAPI*)(HWND, HANDLE)>(
        reinterpret_cast<void*>(GetProcAddress(driver, "PrinterProperties")));
    ASSERT_NE(printerProperties, nullptr);
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kSheetPrinter), &printer, nullptr));
    printerProperties(nullptr, printer);
    EXPECT_EQ(act.tabs, 1);
    ClosePrinter(printer);
    FreeLibrary(driver);
}

} // namespace

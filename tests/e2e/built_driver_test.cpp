// The built DLL's export and import tables, read from the image as the loader maps it; and the DLL
// of this build installed as the configuration file of printers in Wine's spooler and
// reached as applications reach it: a printer added with the driver in place, the page setup
// dialog's defaults, document properties and capabilities asked for by printer name only (Wine's
// spooler passes no handle there), and the sheets through Wine's own property-sheet host.
#include "resources/resource.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/run_vorikactl.h"
#include "tools/vorikactl/find_sheet.h"

#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>

#include <algorithm>
#include <set>

namespace {

using testdm::kKlv20;

// Where the spooler keeps this driver's configuration file: the DLL applications load.
std::wstring InstalledDriverPath() {
    WCHAR directory[MAX_PATH] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, LPBYTE(directory), sizeof directory, &needed);
    return directory + std::wstring(L"\\3\\vorikaui.dll");
}

// The DLL of this build is copied in before this process registers the driver or adds a printer:
// either loads the DLL in place, which then stays loaded (it pins itself) and blocks the copy.
class InstalledDriver : public ::testing::Environment {
    void SetUp() override {
        const std::wstring target = InstalledDriverPath();
        CreateDirectoryW(target.substr(0, target.rfind(L'\\')).c_str(), nullptr);
        ASSERT_TRUE(CopyFileW(L"" VORIKA_BUILT_DLL, target.c_str(), FALSE)) << GetLastError();
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new InstalledDriver);

// The console tool installs a printer of the driver (first of all: no process here has loaded
// the DLL it copies again) and reads back through the spooler what the driver answers there.
TEST(Vorikactl, InstallsAPrinterAndShowsWhatTheDriverAnswers) {
    std::string out;
    const std::string name = "\"VORIKA installed by the tool\"";
    const std::wstring printer(name.begin(), name.end());
    EXPECT_EQ(Vorikactl(L"install --printer " + printer, &out), 0u);
    EXPECT_EQ(Vorikactl(L"install --printer " + printer, &out), 0u);
    EXPECT_EQ(Vorikactl(L"show " + printer, &out) + Vorikactl(L"caps " + printer, &out), 0u);
    EXPECT_EQ(Vorikactl(L"defaults", &out), 0u);
    const std::string lines[] = {
        "printer " + name + " added",
        "installed " + name + " with driver \"Velmar VORIKA KLV-20\"",
        "printer " + name + " already present",
        "Printer " + name + ": DocumentPropertiesW(fMode 0) answers 1756 bytes",
        "  no settings values stored either: the driver uses its defaults",
        "   3 DC_PAPERSIZE         1: 500 x 500 (0.1 mm)",
        "   8 DC_SIZE              220",
        "   9 DC_EXTRA             1536",
        "Default driver DEVMODE for \"Velmar VORIKA KLV-20\" (1756 bytes, base 1016 dpi)",
        "Default driver DEVMODE for \"Velmar VORIKA KLV-20E\" (1756 bytes, base 1058 dpi)",
    };
    for (const std::string& line : lines) {
        EXPECT_NE(out.find(line + "\r\n"), std::string::npos) << line << "\n" << out;
    }
}

// Each test printer is added with the DLL in place: the spooler asks the driver for its DEVMODE.
TEST(Applications, MeetTheDriverByPrinterNameOnly) {
    TestPrinter printer(kKlv20);
    ASSERT_TRUE(SetDefaultPrinterW(printer.name())) << GetLastError();
    // What the print dialogs hand an application: the driver's DEVMODE for a printer whose only
    // paper is the user-defined 50 by 50 mm.
    PAGESETUPDLGW psd{};
    psd.lStructSize = sizeof psd;
    psd.Flags = PSD_RETURNDEFAULT | PSD_INHUNDREDTHSOFMILLIMETERS;
    ASSERT_TRUE(PageSetupDlgW(&psd)) << CommDlgExtendedError();
    const auto* dm = static_cast<const DriverDevMode*>(GlobalLock(psd.hDevMode));
    ASSERT_NE(dm, nullptr);
    EXPECT_EQ(dm->ps.dwPrivData, kPrivSignature);
    EXPECT_EQ(std::pair(dm->dm.dmPaperSize, dm->dm.dmPaperWidth),
              std::pair(SHORT{DMPAPER_USER}, SHORT{500}));
    GlobalUnlock(psd.hDevMode);
    GlobalFree(psd.hDevMode);
    GlobalFree(psd.hDevNames);
    EXPECT_EQ(std::pair(psd.ptPaperSize.x, psd.ptPaperSize.y), std::pair(5000L, 5000L));

    PrinterSettings stored;
    SetDefaultPrinterSettings(&stored, kBaseDpiKlv20);
    stored.UserDefinedX = 432, stored.UserDefinedY = 210;
    EXPECT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
    DriverDevMode out{};
    EXPECT_EQ(
        DocumentPropertiesW(nullptr, nullptr, printer.name(), &out.dm, nullptr, DM_OUT_BUFFER),
        IDOK);
    EXPECT_EQ(out.ps.UserDefinedX, 432);
    EXPECT_EQ(out.dm.dmPaperLength, 210);
    POINT size{};
    EXPECT_EQ(DeviceCapabilitiesW(printer.name(), L"FILE:", DC_PAPERSIZE, LPWSTR(&size), nullptr),
              1);
    EXPECT_EQ(std::pair(size.x, size.y), std::pair(432L, 210L));
}

// The user's turn on a sheet, from a timer that its own message loop runs: count the tabs,
// then on the document sheet switch the Material page's unit and press OK, on others Cancel.
struct SheetUser {
    bool document = true;
    int tabs = -1;
    WCHAR info[64] = {}; // the information page's text
} * user;

void CALLBACK ActOnSheet(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sheet = FindThreadSheet();
    if (sheet == nullptr || user->tabs >= 0) {
        return;
    }
    KillTimer(nullptr, timer);
    user->tabs = TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet));
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    if (user->document) {
        SendDlgItemMessageW(page, IDC_UNIT_INCH, BM_CLICK, 0, 0);
    } else {
        GetDlgItemTextW(page, IDC_INFO_TEXT, user->info, 64);
    }
    PropSheet_PressButton(sheet, user->document ? PSBTN_OK : PSBTN_CANCEL);
}

// Cancelling is the host's business and is checked with our own; here Wine's host takes a
// confirmed sheet's settings to the printer.
TEST(Sheets, ConfirmedDocumentSheetStores) {
    TestPrinter printer(kKlv20);
    SheetUser act;
    user = &act;
    SetTimer(nullptr, 0, 50, ActOnSheet);
    DriverDevMode out{};
    DocumentPropertiesW(nullptr, nullptr, printer.name(), &out.dm, nullptr,
                        DM_OUT_BUFFER | DM_IN_PROMPT);
    EXPECT_EQ(act.tabs, 3);
    // A later request without a DEVMODE sees what the confirmed sheet stored.
    DriverDevMode later{};
    EXPECT_EQ(DocumentPropertiesW(nullptr, printer.handle(), printer.name(), &later.dm, nullptr,
                                  DM_OUT_BUFFER),
              IDOK);
    EXPECT_EQ(later.ps.UserUnit, 1);
}

TEST(Sheets, PrinterSheetShowsTheInformationPage) {
    TestPrinter printer(kKlv20);
    SheetUser act{false};
    user = &act;
    SetTimer(nullptr, 0, 50, ActOnSheet);
    // Wine's winspool does not pass PrinterProperties on to the driver: the application's call is
    // made to the installed configuration file directly.
    HMODULE driver = LoadLibraryW(InstalledDriverPath().c_str());
    auto printerProperties = reinterpret_cast<BOOL(WINAPI*)(HWND, HANDLE)>(
        reinterpret_cast<void*>(GetProcAddress(driver, "PrinterProperties")));
    ASSERT_NE(printerProperties, nullptr);
    printerProperties(nullptr, printer.handle());
    EXPECT_EQ(act.tabs, 1);
    EXPECT_EQ(std::wstring(act.info), kKlv20 + std::wstring(L"\r\n"))
        << "the driver's name, one line";
    FreeLibrary(driver);
}

// The image mapped without running its start code or loading what it imports.
const BYTE* Image() {
    std::wstring path = L"" VORIKA_BUILT_DLL;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return reinterpret_cast<const BYTE*>(
        LoadLibraryExW(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
}

template <typename T> const T* At(DWORD rva) {
    static const BYTE* const image = Image();
    return reinterpret_cast<const T*>(image + rva);
}

DWORD Directory(int entry) {
    const auto* nt = At<IMAGE_NT_HEADERS64>(At<IMAGE_DOS_HEADER>(0)->e_lfanew);
    return nt->OptionalHeader.DataDirectory[entry].VirtualAddress;
}

// Exactly the driver's entry points, each by name; imports only from the platform's own modules
// (the C++ runtime is linked in, the printing functions come from the spooler's client library).
TEST(BuiltModuleTables, ExportTheDriverEntryPointsAndImportOnlySystemModules) {
    ASSERT_NE(At<BYTE>(0), nullptr) << GetLastError();
    const auto* exports = At<IMAGE_EXPORT_DIRECTORY>(Directory(IMAGE_DIRECTORY_ENTRY_EXPORT));
    std::string names; // in the table's order, which is by name
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names += At<char>(At<DWORD>(exports->AddressOfNames)[i]) + std::string(" ");
    }
    EXPECT_EQ(names,
              "DevQueryPrintEx DllInitialize DrvAdvancedDocumentProperties DrvConvertDevMode "
              "DrvDeviceCapabilities DrvDevicePropertySheets DrvDocumentProperties "
              "DrvDocumentPropertySheets DrvPrinterEvent DrvUpgradePrinter PrinterProperties ");
    EXPECT_EQ(exports->NumberOfFunctions, 11u) << "exports without a name";

    const std::set<std::string> system = {"KERNEL32.DLL", "MSVCRT.DLL",   "WINSPOOL.DRV",
                                          "USER32.DLL",   "GDI32.DLL",    "COMDLG32.DLL",
                                          "COMCTL32.DLL", "ADVAPI32.DLL", "SHELL32.DLL"};
    std::set<std::string> modules;
    for (const auto* d = At<IMAGE_IMPORT_DESCRIPTOR>(Directory(IMAGE_DIRECTORY_ENTRY_IMPORT));
         d->Name != 0; ++d) {
        std::string name = At<char>(d->Name);
        std::transform(name.begin(), name.end(), name.begin(), ::toupper);
        EXPECT_EQ(system.count(name), 1u) << name << " is not a system module";
        modules.insert(name);
    }
    EXPECT_EQ(modules.count("WINSPOOL.DRV"), 1u);
}

} // namespace

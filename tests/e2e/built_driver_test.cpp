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
#include <map>
#include <set>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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

// The driver reads a printer's stored settings in one enumeration of the key that GetPrinterDataW
// and SetPrinterDataW use: Wine's spooler lists there every value a save wrote, with its type and
// bytes, sized by a first call that answers how much it needs. The key comes with the first value.
TEST(Spooler, EnumeratesTheValuesASaveWrote) {
    TestPrinter printer(kKlv20);
    DWORD needed = 0, count = 0;
    EXPECT_EQ(
        EnumPrinterDataExW(printer.handle(), L"PrinterDriverData", nullptr, 0, &needed, &count),
        DWORD{ERROR_FILE_NOT_FOUND})
        << "nothing stored yet: no key";
    PrinterSettings stored;
    SetDefaultPrinterSettings(&stored, kBaseDpiKlv20);
    stored.Gamma = 123;
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
    ASSERT_EQ(
        EnumPrinterDataExW(printer.handle(), L"PrinterDriverData", nullptr, 0, &needed, &count),
        DWORD{ERROR_MORE_DATA});
    std::vector<BYTE> answer(needed);
    ASSERT_EQ(EnumPrinterDataExW(printer.handle(), L"PrinterDriverData", answer.data(), needed,
                                 &needed, &count),
              DWORD{ERROR_SUCCESS});
    std::map<std::wstring, PRINTER_ENUM_VALUESW> values;
    for (const auto& e : std::span(reinterpret_cast<PRINTER_ENUM_VALUESW*>(answer.data()), count)) {
        values[e.pValueName] = e;
    }
    ASSERT_EQ(values.count(L"Gamma"), 1u);
    const PRINTER_ENUM_VALUESW gamma = values[L"Gamma"];
    EXPECT_EQ(std::tuple(gamma.dwType, gamma.cbData, gamma.pData[0]), std::tuple(3ul, 2ul, 123));
    EXPECT_EQ(values[L"PrinterData"].cbData, sizeof stored);
    EXPECT_EQ(values.size(), 46u) << "40 fields and three blocks of two values";
}

// The user's turn on a sheet, from a timer that its own message loop runs: count the tabs. On the
// document sheet, move through the Material page's lengths leaving them as shown, then set an
// offset, noting the Apply button each time; test print from the Slope page; then OK or Cancel.
// On the printer sheet read the information page and cancel.
constexpr int kApplyButton = 0x3021; // the property sheet's Apply button
struct SheetUser {
    bool document = true;
    bool confirm = true;
    int tabs = -1;
    WCHAR info[64] = {}; // the information page's text
    bool applyUntouched = true, applyChanged = false;
} * user;

void WorkDocumentSheet(HWND sheet, HWND page) {
    const auto leave = [page](int id) {
        SetFocus(GetDlgItem(page, id));
        SetFocus(GetDlgItem(page, IDC_WIDTH_SPIN));
    };
    leave(IDC_WIDTH_EDIT);
    leave(IDC_LENGTH_EDIT);
    user->applyUntouched = IsWindowEnabled(GetDlgItem(sheet, kApplyButton));
    SetDlgItemTextW(page, IDC_OFFSET_X_EDIT, L"0.05");
    leave(IDC_OFFSET_X_EDIT);
    user->applyChanged = IsWindowEnabled(GetDlgItem(sheet, kApplyButton));
    PropSheet_SetCurSel(sheet, nullptr, 2);
    SendDlgItemMessageW(PropSheet_GetCurrentPageHwnd(sheet), IDC_TEST_PRINT, BM_CLICK, 0, 0);
}

void CALLBACK ActOnSheet(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sheet = FindThreadSheet();
    if (sheet == nullptr || user->tabs >= 0) {
        return;
    }
    KillTimer(nullptr, timer);
    user->tabs = TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet));
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    if (user->document) {
        WorkDocumentSheet(sheet, page);
    } else {
        GetDlgItemTextW(page, IDC_INFO_TEXT, user->info, 64);
    }
    PropSheet_PressButton(sheet, user->document && user->confirm ? PSBTN_OK : PSBTN_CANCEL);
}

// A printer whose settings are stored in inches: 33.3 by 45.0 mm, shown 1.31 by 1.77.
void StoreInches(const TestPrinter& printer, SHORT baseDpi) {
    PrinterSettings stored;
    SetDefaultPrinterSettings(&stored, baseDpi);
    stored.UserUnit = 1, stored.UserDefinedX = 333, stored.UserDefinedY = 450;
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
}

// An application's prompt through Wine's DocumentPropertiesW: the confirmed sheet's settings
// reach the printer. (Wine answers for the sheet itself there.)
TEST(Sheets, ConfirmedDocumentSheetStores) {
    TestPrinter printer(kKlv20);
    StoreInches(printer, kBaseDpiKlv20);
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
    EXPECT_EQ(std::tuple(later.ps.UserDefinedX, later.ps.UserDefinedY, later.ps.OffsetX),
              std::tuple(333, 450, 12)); // 0.05 inch is 1.27 mm, truncated
}

// The driver's own prompt through Wine's host, which never delivers a sheet's result: it answers
// what the user did and stores only then; untouched lengths keep their value; the test print
// reaches the printer whose sheet it is in its model's form, not the printer named like the
// driver.
TEST(Sheets, DriverPromptAnswersWhatTheUserDid) {
    HMODULE driver = LoadLibraryW(InstalledDriverPath().c_str());
    auto documentProperties =
        reinterpret_cast<LONG(WINAPI*)(HWND, HANDLE, LPWSTR, DEVMODEW*, DEVMODEW*, DWORD)>(
            reinterpret_cast<void*>(GetProcAddress(driver, "DrvDocumentProperties")));
    ASSERT_NE(documentProperties, nullptr);
    const struct {
        LPCWSTR model;
        SHORT baseDpi;
        bool confirm;
        const char* job;
    } cases[] = {
        {kKlv20, kBaseDpiKlv20, true, "@PJL DO TESTPRINT=2\n"},
        {L"Velmar VORIKA KLV-30", kBaseDpiOther, false, "\x1b%-12345X\n@PJL DO TESTPRINT=2\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.confirm ? "confirmed" : "cancelled");
        TestPrinter printer(c.model);
        TestPrinter namesake(c.model, c.model);
        StoreInches(printer, c.baseDpi);
        SheetUser act;
        act.confirm = c.confirm;
        user = &act;
        SetTimer(nullptr, 0, 50, ActOnSheet);
        DriverDevMode out{};
        EXPECT_EQ(documentProperties(nullptr, printer.handle(), printer.name(), &out.dm, nullptr,
                                     DM_IN_PROMPT | DM_OUT_BUFFER),
                  c.confirm ? IDOK : IDCANCEL);
        EXPECT_EQ(std::pair(act.applyUntouched, act.applyChanged), std::pair(false, true));
        EXPECT_EQ(printer.Output(), c.job);
        EXPECT_EQ(namesake.Output(), "");
        // A cancelled sheet's output holds the DEVMODE it opened with; nothing is stored.
        const SHORT offset = c.confirm ? 12 : 0;
        PrinterSettings* now = GetPrinterProperties(printer.handle(), c.model);
        ASSERT_NE(now, nullptr);
        EXPECT_EQ(
            std::tuple(out.ps.UserDefinedX, out.ps.UserDefinedY, out.ps.OffsetX, now->OffsetX),
            std::tuple(333, 450, offset, offset));
        GlobalFree(now);
    }
    FreeLibrary(driver);
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

    // Not the common dialogs: the DLL loads them when a file dialog opens.
    const std::set<std::string> system = {"KERNEL32.DLL", "MSVCRT.DLL", "WINSPOOL.DRV",
                                          "USER32.DLL",   "GDI32.DLL",  "COMCTL32.DLL",
                                          "ADVAPI32.DLL", "SHELL32.DLL"};
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

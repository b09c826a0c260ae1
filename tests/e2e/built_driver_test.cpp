// The built DLL's export table, read from the image as the loader maps it; and the DLL of this
// build installed as the configuration file of printers in Wine's spooler and reached as
// applications reach it: a printer added with the driver in place, document properties and
// capabilities asked for by printer name only (Wine's spooler passes no handle there), and the
// sheets through Wine's own property-sheet host.
#include "resources/resource.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/run_vorikactl.h"
#include "tools/vorikactl/find_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <tuple>

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
        "installed " + name + " with driver \"Velmar VORIKA KLV-20\"",
        "printer " + name + " already present",
        "Printer " + name + ": DocumentPropertiesW(fMode 0) answers 1756 bytes",
        "  no settings values stored either: the driver uses its defaults",
        "   3 DC_PAPERSIZE         1: 500 x 500 (0.1 mm)",
        "Default driver DEVMODE for \"Velmar VORIKA KLV-20\" (1756 bytes, base 1016 dpi)",
    };
    for (const std::string& line : lines) {
        EXPECT_NE(out.find(line + "\r\n"), std::string::npos) << line << "\n" << out;
    }
}

// Each test printer is added with the DLL in place: the spooler asks the driver for its DEVMODE.
// The driver reads a printer's stored settings through Wine's spooler.
TEST(Applications, MeetTheDriverByPrinterNameOnly) {
    TestPrinter printer(kKlv20);
    PrinterSettings stored;
    SetDefaultPrinterSettings(&stored, kBaseDpiKlv20);
    stored.UserDefinedX = 432, stored.UserDefinedY = 210, stored.Gamma = 123;
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
    DriverDevMode out{};
    EXPECT_EQ(
        DocumentPropertiesW(nullptr, nullptr, printer.name(), &out.dm, nullptr, DM_OUT_BUFFER),
        IDOK);
    POINT size{};
    EXPECT_EQ(DeviceCapabilitiesW(printer.name(), L"FILE:", DC_PAPERSIZE, LPWSTR(&size), nullptr),
              1);
    EXPECT_EQ(std::tuple(out.ps.UserDefinedX, out.dm.dmPaperLength, out.ps.Gamma, size.x, size.y),
              std::tuple(432, 210, 123, 432L, 210L));
}

// The user's turn on a sheet, from a timer that its own message loop runs: count the tabs. On the
// document sheet, move through the Material page's lengths leaving them as shown, then set an
// offset, noting the Apply button each time; test print from the Slope page; then OK or Cancel.
// On the printer sheet read the information page and cancel.
constexpr int kApplyButton = 0x3021; // the property sheet's Apply button
struct SheetUser {
    bool confirm = false;
    int tabs = -1;
    bool applyUntouched = true, applyChanged = false;
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
    const auto leave = [page](int id) {
        SetFocus(GetDlgItem(page, id));
        SetFocus(GetDlgItem(page, IDC_WIDTH_SPIN));
    };
    if (GetDlgItemTextW(page, IDC_INFO_TEXT, user->info, 64) == 0) { // the document sheet
        leave(IDC_WIDTH_EDIT);
        leave(IDC_LENGTH_EDIT);
        user->applyUntouched = IsWindowEnabled(GetDlgItem(sheet, kApplyButton));
        SetDlgItemTextW(page, IDC_OFFSET_X_EDIT, L"0.05");
        leave(IDC_OFFSET_X_EDIT);
        user->applyChanged = IsWindowEnabled(GetDlgItem(sheet, kApplyButton));
        PropSheet_SetCurSel(sheet, nullptr, 2);
        SendDlgItemMessageW(PropSheet_GetCurrentPageHwnd(sheet), IDC_TEST_PRINT, BM_CLICK, 0, 0);
    }
    PropSheet_PressButton(sheet, user->confirm ? PSBTN_OK : PSBTN_CANCEL);
}

// Wine's winspool passes only the sheets and the capabilities on to the driver: the driver's other
// entry points are called in the installed configuration file directly, as applications do.
HMODULE Driver() {
    static const HMODULE driver = LoadLibraryW(InstalledDriverPath().c_str());
    return driver;
}
template <typename Function> Function Installed(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(Driver(), name)));
}

// The document sheet prompted for through Wine's DocumentPropertiesW (which answers for the sheet
// itself) and through the driver's own DrvDocumentProperties on Wine's host, which never delivers a
// sheet's result: the driver answers what the user did and stores only then; untouched lengths
// keep their value; the test print reaches the printer whose sheet it is in its model's form, not
// the printer named like the driver. A cancelled sheet's output holds the DEVMODE it opened with.
TEST(Sheets, DocumentPromptAnswersWhatTheUserDid) {
    const auto documentProperties =
        Installed<LONG(WINAPI*)(HWND, HANDLE, LPWSTR, DEVMODEW*, DEVMODEW*, DWORD)>(
            "DrvDocumentProperties");
    ASSERT_NE(documentProperties, nullptr);
    const std::tuple<bool, bool, LPCWSTR, SHORT, const char*> cases[] = {
        // through the driver directly, confirmed, model, its base resolution, the test print's job
        {false, true, kKlv20, kBaseDpiKlv20, "@PJL DO TESTPRINT=2\n"},
        {true, true, kKlv20, kBaseDpiKlv20, "@PJL DO TESTPRINT=2\n"},
        {true, false, L"Velmar VORIKA KLV-30", kBaseDpiOther,
         "\x1b%-12345X\n@PJL DO TESTPRINT=2\n"}};
    for (const auto& [direct, confirm, model, baseDpi, job] : cases) {
        SCOPED_TRACE(testing::Message() << "direct " << direct << ", confirm " << confirm);
        TestPrinter printer(model), namesake(model, model);
        PrinterSettings stored; // in inches: 33.3 by 45.0 mm, shown 1.31 by 1.77
        SetDefaultPrinterSettings(&stored, baseDpi);
        stored.UserUnit = 1, stored.UserDefinedX = 333, stored.UserDefinedY = 450;
        ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
        SheetUser act{confirm};
        user = &act;
        SetTimer(nullptr, 0, 50, ActOnSheet);
        DriverDevMode out{};
        const LONG answer = (direct ? documentProperties : DocumentPropertiesW)(
            nullptr, direct ? printer.handle() : nullptr, printer.name(), &out.dm, nullptr,
            DM_IN_PROMPT | DM_OUT_BUFFER);
        EXPECT_EQ(answer, direct && !confirm ? IDCANCEL : IDOK);
        EXPECT_EQ(std::tuple(act.tabs, act.applyUntouched, act.applyChanged, printer.Output(),
                             namesake.Output()),
                  std::tuple(3, false, true, std::string(job), std::string()));
        // What a later request without a DEVMODE reads from the printer.
        DriverDevMode later{};
        EXPECT_EQ(DocumentPropertiesW(nullptr, printer.handle(), printer.name(), &later.dm, nullptr,
                                      DM_OUT_BUFFER),
                  IDOK);
        const SHORT offset = confirm ? 12 : 0; // 0.05 inch is 1.27 mm, truncated
        EXPECT_EQ(std::tuple(out.ps.UserDefinedX, out.ps.UserDefinedY, out.ps.OffsetX,
                             later.ps.UserDefinedX, later.ps.OffsetX),
                  std::tuple(333, 450, offset, 333, offset));
    }
}

// A cancelled printer sheet answers that nothing changed.
TEST(Sheets, PrinterSheetShowsTheInformationPage) {
    TestPrinter printer(kKlv20);
    SheetUser act;
    user = &act;
    SetTimer(nullptr, 0, 50, ActOnSheet);
    const auto printerProperties = Installed<BOOL(WINAPI*)(HWND, HANDLE)>("PrinterProperties");
    ASSERT_NE(printerProperties, nullptr);
    EXPECT_FALSE(printerProperties(nullptr, printer.handle()));
    EXPECT_EQ(std::pair(act.tabs, std::wstring(act.info)),
              std::pair(1, kKlv20 + std::wstring(L"\r\n")))
        << "one page: the driver's name, one line";
}

// The installed copy of the built DLL as the loader mapped it.
template <typename T> const T* At(DWORD rva) {
    return reinterpret_cast<const T*>(reinterpret_cast<const BYTE*>(Driver()) + rva);
}

// Exactly the driver's entry points, each by name.
TEST(BuiltModuleTables, ExportTheDriverEntryPoints) {
    ASSERT_NE(At<BYTE>(0), nullptr) << GetLastError();
    const auto* nt = At<IMAGE_NT_HEADERS64>(At<IMAGE_DOS_HEADER>(0)->e_lfanew);
    const auto* exports = At<IMAGE_EXPORT_DIRECTORY>(
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress);
    std::string names; // in the table's order, which is by name
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names += At<char>(At<DWORD>(exports->AddressOfNames)[i]) + std::string(" ");
    }
    EXPECT_EQ(names,
              "DevQueryPrintEx DllInitialize DrvAdvancedDocumentProperties DrvConvertDevMode "
              "DrvDeviceCapabilities DrvDevicePropertySheets DrvDocumentProperties "
              "DrvDocumentPropertySheets DrvPrinterEvent DrvUpgradePrinter PrinterProperties ");
    EXPECT_EQ(exports->NumberOfFunctions, 11u) << "exports without a name";
}

} // namespace

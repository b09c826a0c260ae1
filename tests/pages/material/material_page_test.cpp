// The Material page under Wine, made from the built module's template and worked with real
// messages; its settings file through the platform's profile functions, its drawing on pixels.
// The rules' detail is pinned in the model's tests.
#ifdef _WIN32
#include "pages/material/material_page.h"

#include "pages/material/settings_file.h"
#include "pages/material/work_view.h"
#include "resources/resource.h"
#include "tests/support/page_driver.h"
#include "tests/support/seam_override.h"
#include "ui/dialog_host.h"
#include "ui/help.h"

#include <prsht.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

using namespace std::string_literals;

namespace {

// The file that the settings file buttons' dialogs choose.
wchar_t chosen[MAX_PATH];
BOOL Choose(LPOPENFILENAMEW ofn) {
    return lstrcpynW(ofn->lpstrFile, chosen, ofn->nMaxFile) != nullptr;
}

using FileDialog = SeamOverride<decltype(g_dialogHost.GetSaveFileNameW)>;
class MaterialPage : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        Open(IDD_MATERIAL_PAGE, PaperDlgProc);
    }
    FileDialog save_{g_dialogHost.GetSaveFileNameW, Choose},
        load_{g_dialogHost.GetOpenFileNameW, Choose};
};

LANGID language = 1033;
LANGID WINAPI UserLanguage() {
    return language;
}

DWORD majorVersion = 10;
LONG WINAPI SystemVersion(RTL_OSVERSIONINFOW* info) {
    info->dwMajorVersion = majorVersion;
    return 0;
}

using Request = std::tuple<HWND, std::wstring, UINT, ULONG_PTR>;
std::vector<Request> requests;
BOOL WINAPI RecordHelp(HWND window, LPCWSTR file, UINT command, ULONG_PTR data) {
    requests.emplace_back(window, file ? file : L"", command, data);
    return TRUE;
}

// Help asked on the page, with the language, the system's version and the help engine seen
// through the seams; the help window, when one opens, has its text read and is closed with Escape.
class MaterialHelp : public MaterialPage {
  protected:
    std::wstring HelpWindowAfter(UINT message, WPARAM wParam, LPARAM lParam) {
        std::wstring text = L"(none)";
        ScriptNextDialog([&text](HWND window) {
            HWND edit = GetDlgItem(window, IDC_HELP_TOPICS_TEXT);
            text.resize(GetWindowTextLengthW(edit) + 1);
            text.resize(GetWindowTextW(edit, text.data(), int(text.size())));
            PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
        });
        SendMessageW(page_, message, wParam, lParam);
        ScriptNextDialog(nullptr);
        return text;
    }
    // The Help button's window, then the sheet's Help notification's, which must be the same.
    std::wstring HelpWindows() {
        const std::wstring text =
            HelpWindowAfter(WM_COMMAND, MAKEWPARAM(IDC_HELP_CONTENTS, BN_CLICKED), 0);
        NMHDR header{GetParent(page_), 0, static_cast<UINT>(PSN_HELP)};
        EXPECT_EQ(HelpWindowAfter(WM_NOTIFY, 0, LPARAM(&header)), text);
        return text;
    }
    SeamOverride<decltype(g_dialogHost.GetUserDefaultLangID)> language_{
        g_dialogHost.GetUserDefaultLangID, UserLanguage};
    SeamOverride<decltype(g_dialogHost.RtlGetVersion)> version_{g_dialogHost.RtlGetVersion,
                                                                SystemVersion};
    SeamOverride<decltype(g_dialogHost.WinHelpW)> engine_{g_dialogHost.WinHelpW, RecordHelp};
};

} // namespace

// Wine reports a system without the help engine: the module's own help answers, in the user's
// language, with the context of the control asked about, and never asks the engine. The help
// window lists the page's topics in order, caption then text.
TEST_F(MaterialHelp, OwnHelpAnswersInTheUsersLanguage) {
    majorVersion = 10;
    requests.clear();
    const std::pair<LANGID, std::wstring> widths[] = {
        {1041, L"任意サイズのワークの「幅」を設定します。\r\n設定可能な範囲は、"
               L"以下の通りです。\r\n最小幅  5.1mm(0.20ｲﾝﾁ)\r\n最大幅 50.0mm(1.97ｲﾝﾁ)"},
        {1040, L"Sets the width of the custom-size work piece.\r\nThe width can be set within:\r\n"
               L"Minimum  5.1 mm (0.20 inch)\r\nMaximum 50.0 mm (1.97 inch)"}};
    std::wstring topics;
    for (const auto& [id, width] : widths) {
        language = id;
        EXPECT_EQ(AskHelp(page_, IDC_WIDTH_EDIT, WM_HELP), width);
        EXPECT_EQ(AskHelp(page_, IDC_WIDTH_EDIT, WM_CONTEXTMENU), width);
        EXPECT_EQ(AskHelp(page_, IDC_EXTENDED_SIZE, WM_HELP), L"");
        topics = HelpWindows();
        EXPECT_NE(topics.find(width), topics.npos) << id;
    }
    const size_t width = topics.find(L"Width\r\n" + widths[1].second);
    EXPECT_LT(topics.find(L"Work Size"), width);
    EXPECT_GT(topics.find(L"Load Settings"), width);
    EXPECT_TRUE(requests.empty());
}

// The popup closes on a key and when the focus leaves it.
TEST_F(MaterialHelp, PopupClosesOnKeyOrFocusLoss) {
    for (const bool key : {true, false}) {
        SendMessageW(page_, WM_CONTEXTMENU, WPARAM(GetDlgItem(page_, IDC_WIDTH_EDIT)), -1);
        HWND popup = GetFocus();
        ASSERT_TRUE(IsWindow(popup));
        key ? void(SendMessageW(popup, WM_KEYDOWN, VK_SPACE, 1))
            : void(SetFocus(GetDlgItem(page_, IDC_LENGTH_EDIT)));
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            DispatchMessageW(&message);
        }
        EXPECT_FALSE(IsWindow(popup)) << key;
    }
}

// With the help file in the driver directory, a system from before Vista sends every request to
// the engine, and no popup or window of the module's opens; a later system gets the popup.
TEST_F(MaterialHelp, EngineAnswersOnlyWithTheFileOnAnOldSystem) {
    wchar_t directory[MAX_PATH] = {};
    DWORD size = 0;
    ASSERT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, LPBYTE(directory), sizeof directory,
                                           &size));
    const std::wstring file = directory + std::wstring(L"\\2\\QTKLVEN.HLP");
    CreateDirectoryW((directory + std::wstring(L"\\2")).c_str(), nullptr);
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    language = 1033;
    requests.clear();
    majorVersion = 6;
    EXPECT_NE(AskHelp(page_, IDC_WIDTH_EDIT, WM_HELP), L"");
    EXPECT_TRUE(requests.empty());
    majorVersion = 5;
    HWND edit = GetDlgItem(page_, IDC_WIDTH_EDIT);
    const auto table = ULONG_PTR(material::aPaperDlgHelpIDs);
    EXPECT_EQ(AskHelp(page_, IDC_WIDTH_EDIT, WM_HELP), L"");
    EXPECT_EQ(AskHelp(page_, IDC_WIDTH_EDIT, WM_CONTEXTMENU), L"");
    EXPECT_EQ(HelpWindows(), L"(none)");
    DeleteFileW(file.c_str());
    EXPECT_EQ(requests, (std::vector<Request>{{edit, file, HELP_WM_HELP, table},
                                              {edit, file, HELP_CONTEXTMENU, table},
                                              {nullptr, file, HELP_CONTENTS, 0},
                                              {GetParent(page_), file, HELP_CONTENTS, 0}}));
}

TEST_F(MaterialPage, WorkedAsAUserWorksIt) {
    // Extended size on: the Warning, then room for a spin up in inches. Off: no Warning, the size
    // cut back and shown.
    Click(page_, IDC_UNIT_INCH);
    int warnings = 0;
    const auto pressOk = [&](HWND warning) { PostMessageW(warning, WM_COMMAND, IDOK, ++warnings); };
    ScriptNextDialog(pressOk);
    Click(page_, IDC_EXTENDED_SIZE);
    Scroll(page_, WM_VSCROLL, IDC_WIDTH_SPIN, SB_LINEUP);
    EXPECT_EQ(std::tuple(Text(IDC_WIDTH_EDIT), Record().UserDefinedX), std::tuple(L"2.07"s, 526));
    ScriptNextDialog(pressOk);
    Click(page_, IDC_EXTENDED_SIZE);
    ScriptNextDialog(nullptr);
    EXPECT_EQ(std::tuple(Text(IDC_WIDTH_EDIT), warnings), std::tuple(L"1.97"s, 1));

    // The service chord reveals the hidden controls in the corner only.
    DoubleClick(page_, 8, 8, true);
    EXPECT_TRUE(Shown(page_, IDC_RESOLUTION_LIST));
    DoubleClick(page_, 16, 8, true);
    EXPECT_FALSE(Shown(page_, IDC_RESOLUTION_LIST));
}

// In inches, leaving the length fields as shown keeps what they hold, which their text would
// round, and tells the sheet of no change; a text that differs is read with the inches' rounding,
// and a value outside its limits is brought in when the field is left.
TEST_F(MaterialPage, UntouchedLengthsKeepTheirValueAndChangesReachTheSheet) {
    const auto leave = [this](int id) {
        SetFocus(GetDlgItem(page_, id));
        SetFocus(GetDlgItem(page_, IDC_WIDTH_SPIN));
    };
    Click(page_, IDC_UNIT_INCH);
    Record().UserDefinedX = 333, Record().UserDefinedY = 450, Record().OffsetY = -1;
    SetUserBox(page_, &Record());
    SetOffsetBox(page_, &Record());
    changesTold = 0;
    for (int id : {IDC_WIDTH_EDIT, IDC_LENGTH_EDIT, IDC_OFFSET_X_EDIT, IDC_OFFSET_Y_EDIT}) {
        leave(id);
    }
    EXPECT_EQ(
        std::tuple(Record().UserDefinedX, Record().UserDefinedY, Record().OffsetY, changesTold),
        std::tuple(333, 450, -1, 0));

    TypeInto(page_, IDC_WIDTH_EDIT, L"1.30");
    Record().LimitY = 400; // the 45.0 mm held now lie beyond the length's limit
    leave(IDC_LENGTH_EDIT);
    SetDlgItemTextW(page_, IDC_OFFSET_X_EDIT, L"0.05"); // set from outside, not typed
    leave(IDC_OFFSET_X_EDIT);
    EXPECT_EQ(
        std::tuple(Record().UserDefinedX, Record().UserDefinedY, Record().OffsetX, changesTold),
        std::tuple(330, 400, 12, 3));
}

// Saved and loaded back whole; a damaged record stays out, while the load's last steps still run.
// (The version check is pinned with the tool's import, which shares the reader.)
TEST_F(MaterialPage, SettingsFileSavedAndLoaded) {
    GetTempPathW(MAX_PATH, chosen);
    lstrcatW(chosen, L"vorika-material.txt");
    DeleteFileW(chosen);
    Record().OffsetX = -7;
    Click(page_, IDC_SAVE_SETTINGS);
    PrinterSettings expected = Record();
    expected.EnableExtendedSize = 1; // the file has no key of its own
    Record().OffsetX = 12;
    Record().EnableExtendedSize = 0;
    Click(page_, IDC_LOAD_SETTINGS);
    EXPECT_EQ(std::memcmp(&Record(), &expected, sizeof expected), 0);
    EXPECT_EQ(Text(IDC_OFFSET_X_EDIT), L"-0.7");

    wchar_t text[4096] = {};
    GetPrivateProfileStringW(kSettingsSection, kSettingsKey, L"", text, 4096, chosen);
    text[20] = text[20] == L'0' ? L'1' : L'0';
    WritePrivateProfileStringW(kSettingsSection, kSettingsKey, text, chosen);
    WritePrivateProfileStringW(kSettingsSection, kEnableExtendedSizeKey, L"0", chosen);
    Record().LimitX = 1000;
    Record().UserDefinedX = 900;
    expected = Record();
    expected.LimitX = expected.UserDefinedX = 800;
    Click(page_, IDC_LOAD_SETTINGS);
    EXPECT_EQ(std::memcmp(&Record(), &expected, offsetof(PrinterSettings, EnableExtendedSize)), 0);
    EXPECT_FALSE(Shown(page_, IDC_EXTENDED_SIZE));
}

TEST(WorkView, DrawnOnPixels) {
    DrawingSurface surface(IDC_WORK_VIEW, {100, 50, 170, 120}, 0x808080);
    PrinterSettings ps{};
    ps.UserDefinedX = ps.UserDefinedY = 500;
    ps.BiDir = 1;
    DrawMaterial(surface.page, surface.dc, &ps);
    surface.ExpectPixels({
        {168, 60, 0xFFFFFF},
        {169, 60, 0x808080},
        {134, 55, 0}, // the square's frame, the cross
        {153, 90, 0},
        {120, 95, 0xC0C040}, // the work's outline, fill
        {117, 70, 0},
        {119, 75, 0},
        {117, 75, 0xC0C040}, // dots, odd rows shifted
    });
}
#endif

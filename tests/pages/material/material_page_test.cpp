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

namespace {

// The file that the settings file buttons' dialogs choose.
wchar_t chosen[MAX_PATH];
BOOL Choose(LPOPENFILENAMEW ofn) {
    return lstrcpynW(ofn->lpstrFile, chosen, ofn->nMaxFile) != nullptr;
}

class MaterialPage : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        Open(IDD_MATERIAL_PAGE, PaperDlgProc);
    }
    SeamOverride<decltype(g_dialogHost.GetSaveFileNameW)> save_{g_dialogHost.GetSaveFileNameW,
                                                                Choose};
    SeamOverride<decltype(g_dialogHost.GetOpenFileNameW)> load_{g_dialogHost.GetOpenFileNameW,
                                                                Choose};
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
    void SetUp() override {
        MaterialPage::SetUp();
        requests.clear();
    }
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
    std::wstring AfterHelpButton() {
        return HelpWindowAfter(WM_COMMAND, MAKEWPARAM(IDC_HELP_CONTENTS, BN_CLICKED), 0);
    }
    std::wstring AfterHelpNotification() {
        NMHDR header{sheet(), 0, static_cast<UINT>(PSN_HELP)};
        return HelpWindowAfter(WM_NOTIFY, 0, LPARAM(&header));
    }
    HWND sheet() { return GetParent(page_); }
    SeamOverride<decltype(g_dialogHost.GetUserDefaultLangID)> language_{
        g_dialogHost.GetUserDefaultLangID, UserLanguage};
    SeamOverride<decltype(g_dialogHost.RtlGetVersion)> version_{g_dialogHost.RtlGetVersion,
                                                                SystemVersion};
    SeamOverride<decltype(g_dialogHost.WinHelpW)> engine_{g_dialogHost.WinHelpW, RecordHelp};
};

} // namespace

// Wine reports a system without the help engine: the module's own help answers, in the user's
// language, with the context of the control asked about, and never asks the engine.
TEST_F(MaterialHelp, OwnHelpAnswersInTheUsersLanguage) {
    majorVersion = 10;
    language = 1041;
    const std::wstring japanese =
        L"任意サイズのワークの「幅」を設定します。\r\n設定可能な範囲は、"
        L"以下の通りです。\r\n最小幅  5.1mm(0.20ｲﾝﾁ)\r\n最大幅 50.0mm(1.97ｲﾝﾁ)";
    EXPECT_EQ(AskHelp(page_, IDC_WIDTH_EDIT, WM_HELP), japanese);
    EXPECT_EQ(AskHelp(page_, IDC_WIDTH_EDIT, WM_CONTEXTMENU), japanese);
    EXPECT_EQ(AskHelp(page_, IDC_EXTENDED_SIZE, WM_HELP), L"");
    language = 1040;
    const std::wstring english = AskHelp(page_, IDC_WIDTH_EDIT, WM_HELP);
    for (const wchar_t* part : {L"width", L"5.1 mm", L"50.0 mm"}) {
        EXPECT_NE(english.find(part), english.npos) << part;
    }
    EXPECT_EQ(AskHelp(page_, IDC_WIDTH_EDIT, WM_CONTEXTMENU), english);
    EXPECT_NE(AskHelp(page_, IDC_LENGTH_EDIT, WM_HELP).find(L"length"), english.npos);

    // The help window lists the page's topics, from the first to the last, caption then text.
    const std::wstring topics = AfterHelpButton();
    const size_t width = topics.find(L"Width\r\n" + english);
    EXPECT_NE(width, topics.npos);
    EXPECT_LT(topics.find(L"Work Size"), width);
    EXPECT_GT(topics.find(L"Load Settings"), width);
    EXPECT_EQ(AfterHelpNotification(), topics);
    language = 1041;
    EXPECT_NE(AfterHelpButton().find(japanese), std::wstring::npos);
    EXPECT_TRUE(requests.empty());
}

// The popup closes on a key and when the focus leaves it.
TEST_F(MaterialHelp, PopupClosesOnKeyOrFocusLoss) {
    for (const bool key : {true, false}) {
        SendMessageW(page_, WM_CONTEXTMENU, WPARAM(GetDlgItem(page_, IDC_WIDTH_EDIT)), -1);
        HWND popup = GetFocus();
        ASSERT_TRUE(IsWindow(popup));
        if (key) {
            SendMessageW(popup, WM_KEYDOWN, VK_SPACE, 1);
        } else {
            SetFocus(GetDlgItem(page_, IDC_LENGTH_EDIT));
        }
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            DispatchMessageW(&message);
        }
        EXPECT_FALSE(IsWindow(popup)) << key;
    }
}

// With the help file in the driver directory and a system that still ships the engine, every
// request goes to the engine as it always did, and no popup or window of the module's opens.
TEST_F(MaterialHelp, EngineAnswersWhereItCan) {
    wchar_t directory[MAX_PATH] = {};
    DWORD size = 0;
    ASSERT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, LPBYTE(directory), sizeof directory,
                                           &size));
    const std::wstring file = directory + std::wstring(L"\\2\\QTKLVEN.HLP");
    CreateDirectoryW((directory + std::wstring(L"\\2")).c_str(), nullptr);
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    language = 1033;
    majorVersion = 6; // Windows Vista: no engine
    EXPECT_NE(AskHelp(page_, IDC_WIDTH_EDIT, WM_HELP), L"");
    EXPECT_TRUE(requests.empty());
    majorVersion = 5;
    HWND edit = GetDlgItem(page_, IDC_WIDTH_EDIT);
    const auto table = ULONG_PTR(material::aPaperDlgHelpIDs);
    EXPECT_EQ(AskHelp(page_, IDC_WIDTH_EDIT, WM_HELP), L"");
    EXPECT_EQ(AskHelp(page_, IDC_WIDTH_EDIT, WM_CONTEXTMENU), L"");
    EXPECT_EQ(AfterHelpNotification(), L"(none)");
    EXPECT_EQ(AfterHelpButton(), L"(none)");
    DeleteFileW(file.c_str());
    EXPECT_EQ(requests, (std::vector<Request>{{edit, file, HELP_WM_HELP, table},
                                              {edit, file, HELP_CONTEXTMENU, table},
                                              {sheet(), file, HELP_CONTENTS, 0},
                                              {nullptr, file, HELP_CONTENTS, 0}}));
    EXPECT_NE(AskHelp(page_, IDC_WIDTH_EDIT, WM_HELP).find(L"width"), file.npos) << "file gone";
}

TEST_F(MaterialPage, WorkedAsAUserWorksIt) {
    // Typed text is taken over when the focus moves on, limited to the work size limit.
    TypeInto(page_, IDC_WIDTH_EDIT, L"600");
    SetFocus(GetDlgItem(page_, IDC_WIDTH_SPIN));
    EXPECT_EQ(Record().UserDefinedX, 500);
    Click(page_, IDC_UNIT_INCH);

    // Extended size on: the Warning, then room for a spin up in inches. Off: no Warning, the size
    // cut back and shown.
    int warnings = 0;
    const auto pressOk = [&](HWND warning) { PostMessageW(warning, WM_COMMAND, IDOK, ++warnings); };
    ScriptNextDialog(pressOk);
    Click(page_, IDC_EXTENDED_SIZE);
    Scroll(page_, WM_VSCROLL, IDC_WIDTH_SPIN, SB_LINEUP);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"2.07");
    EXPECT_EQ(Record().UserDefinedX, 526);
    ScriptNextDialog(pressOk);
    Click(page_, IDC_EXTENDED_SIZE);
    ScriptNextDialog(nullptr);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"1.97");

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
    EXPECT_EQ(std::tuple(Record().UserDefinedX, Record().UserDefinedY, Record().OffsetY),
              std::tuple(333, 450, -1));
    EXPECT_EQ(changesTold, 0);

    TypeInto(page_, IDC_WIDTH_EDIT, L"1.30");
    Record().LimitY = 400; // the 45.0 mm held now lie beyond the length's limit
    leave(IDC_LENGTH_EDIT);
    SetDlgItemTextW(page_, IDC_OFFSET_X_EDIT, L"0.05"); // set from outside, not typed
    leave(IDC_OFFSET_X_EDIT);
    EXPECT_EQ(std::tuple(Record().UserDefinedX, Record().UserDefinedY, Record().OffsetX),
              std::tuple(330, 400, 12));
    EXPECT_EQ(changesTold, 3);
}

TEST_F(MaterialPage, SettingsFileSavedAndLoaded) {
    wchar_t text[4096] = {};
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

    // A damaged record stays out, while the load's last steps still run. (The version check is
    // pinned with the tool's import, which shares the reader.)
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
    const DWORD pixels[][3] = {
        {168, 60, 0xFFFFFF}, {169, 60, 0x808080}, {134, 55, 0}, // the square's frame, the cross
        {153, 90, 0},        {120, 95, 0xC0C040},               // the work's outline, fill
        {117, 70, 0},        {119, 75, 0},        {117, 75, 0xC0C040}, // dots, odd rows shifted
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(surface.Pixel(p[0], p[1]), p[2]) << p[0] << "," << p[1];
    }
}
#endif

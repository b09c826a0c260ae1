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

// Any language but Japanese gets the English texts.
LANGID WINAPI Italian() {
    return 1040;
}

// Help asked on the page, with the language seen through its seam; the help window, when one
// opens, has its text read and is closed with Escape.
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
    SeamOverride<decltype(g_dialogHost.GetUserDefaultLangID)> language_{
        g_dialogHost.GetUserDefaultLangID, Italian};
};

} // namespace

// Wine reports a system without the help engine: the module's own help answers with the context
// of the control asked about. The help window holds the page's topics, each caption followed by
// its text. (The Japanese texts are asked on the correction page; the topics' order in posix.)
TEST_F(MaterialHelp, OwnHelpAnswersWithTheControlsContext) {
    const std::wstring width =
        L"Sets the width of the custom-size work piece.\r\nThe width can be set within:\r\n"
        L"Minimum  5.1 mm (0.20 inch)\r\nMaximum 50.0 mm (1.97 inch)";
    EXPECT_EQ(AskHelp(page_, IDC_WIDTH_EDIT, WM_HELP), width);
    EXPECT_EQ(AskHelp(page_, IDC_EXTENDED_SIZE, WM_HELP), L"");
    // The Help button's window, then the sheet's Help notification's, which must be the same.
    const std::wstring topics =
        HelpWindowAfter(WM_COMMAND, MAKEWPARAM(IDC_HELP_CONTENTS, BN_CLICKED), 0);
    NMHDR header{GetParent(page_), 0, static_cast<UINT>(PSN_HELP)};
    EXPECT_EQ(HelpWindowAfter(WM_NOTIFY, 0, LPARAM(&header)), topics);
    EXPECT_NE(topics.find(L"Width\r\n" + width), std::wstring::npos);
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
}

// In inches, leaving the length fields as shown keeps what they hold, which their text would
// round, and tells the sheet of no change; a text that differs, typed or set, is read with the
// inches' rounding when the field is left.
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
    leave(IDC_WIDTH_EDIT);
    SetDlgItemTextW(page_, IDC_OFFSET_X_EDIT, L"0.05"); // set from outside, not typed
    leave(IDC_OFFSET_X_EDIT);
    EXPECT_EQ(
        std::tuple(Record().UserDefinedX, Record().UserDefinedY, Record().OffsetX, changesTold),
        std::tuple(330, 450, 12, 2));
}

// Saved and loaded back whole; a damaged record, which the platform's reader refuses, leaves the
// record as it was. (The version check is pinned with the tool's import, which shares the reader.)
TEST_F(MaterialPage, SettingsFileSavedAndLoaded) {
    GetTempPathW(MAX_PATH, chosen);
    lstrcatW(chosen, L"vorika-material.txt");
    DeleteFileW(chosen);
    Record().OffsetX = -7;
    Click(page_, IDC_SAVE_SETTINGS);
    PrinterSettings expected = Record();
    expected.EnableExtendedSize = 1; // the file has no key of its own
    Record().OffsetX = 12, Record().EnableExtendedSize = 0;
    Click(page_, IDC_LOAD_SETTINGS);
    EXPECT_EQ(std::memcmp(&Record(), &expected, sizeof expected), 0);
    EXPECT_EQ(Text(IDC_OFFSET_X_EDIT), L"-0.7");

    wchar_t text[4096] = {};
    GetPrivateProfileStringW(kSettingsSection, kSettingsKey, L"", text, 4096, chosen);
    text[20] = text[20] == L'0' ? L'1' : L'0';
    WritePrivateProfileStringW(kSettingsSection, kSettingsKey, text, chosen);
    expected = (Record().OffsetX = 12, Record());
    Click(page_, IDC_LOAD_SETTINGS);
    EXPECT_EQ(std::memcmp(&Record(), &expected, sizeof expected), 0);
}

// The square's frame (white, its right edge at 168) and cross, the work's outline and fill, and
// its dots, odd rows shifted.
TEST(WorkView, DrawnOnPixels) {
    PrinterSettings ps{};
    ps.UserDefinedX = ps.UserDefinedY = 500, ps.BiDir = 1;
    const auto draw = [&ps](HWND page, HDC dc) { DrawMaterial(page, dc, &ps); };
    EXPECT_EQ(DrawnColours(IDC_WORK_VIEW, {100, 50, 170, 120}, 0x808080, draw,
                           {{168, 60}, {169, 60}, {134, 55}, {120, 95}, {117, 70}, {119, 75}}),
              (std::vector<DWORD>{0xFFFFFF, 0x808080, 0, 0xC0C040, 0, 0}));
}
#endif

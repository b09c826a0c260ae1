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

#include <cstring>

namespace {

std::wstring chosenPath;

class MaterialPage : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        Open(IDD_MATERIAL_PAGE, PaperDlgProc);
    }
    // Clicks a settings-file button whose file dialog chooses the path.
    void File(int button, const std::wstring& path) {
        chosenPath = path;
        const auto choose = +[](LPOPENFILENAMEW ofn) -> BOOL {
            return lstrcpynW(ofn->lpstrFile, chosenPath.c_str(), ofn->nMaxFile) != nullptr;
        };
        SeamOverride save(g_dialogHost.GetSaveFileNameW, choose);
        SeamOverride load(g_dialogHost.GetOpenFileNameW, choose);
        Click(page_, button);
    }
};

} // namespace

TEST_F(MaterialPage, WorkedAsAUserWorksIt) {
    // Typed text is taken over when the focus moves on, limited to the work size limit.
    TypeInto(page_, IDC_WIDTH_EDIT, L"600");
    SetFocus(GetDlgItem(page_, IDC_WIDTH_SPIN));
    EXPECT_EQ(Record().UserDefinedX, 500);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"50.0");
    Click(page_, IDC_UNIT_INCH);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"1.97");

    // Extended size on: the Warning, then room for a spin up in inches. Off: no Warning, the size
    // cut back and shown.
    int warnings = 0;
    const auto pressOk = [&](HWND warning) { PostMessageW(warning, WM_COMMAND, IDOK, ++warnings); };
    ScriptNextDialog(pressOk);
    Click(page_, IDC_EXTENDED_SIZE);
    EXPECT_EQ(GetFocus(), GetDlgItem(page_, IDC_EXTENDED_SIZE));
    Scroll(page_, WM_VSCROLL, IDC_WIDTH_SPIN, SB_LINEUP);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"2.07");
    EXPECT_EQ(Record().UserDefinedX, 526);
    ScriptNextDialog(pressOk);
    Click(page_, IDC_EXTENDED_SIZE);
    ScriptNextDialog(nullptr);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(IsDlgButtonChecked(page_, IDC_EXTENDED_SIZE), BST_UNCHECKED);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"1.97");

    // The service chord reveals the hidden controls in the corner only; a choice in the revealed
    // resolution list sets the divisor.
    DoubleClick(page_, 8, 8, true);
    EXPECT_TRUE(Shown(page_, IDC_HELP_CONTENTS) && Shown(page_, IDC_RESOLUTION_LIST));
    SendDlgItemMessageW(page_, IDC_RESOLUTION_LIST, CB_SETCURSEL, 7, 0);
    SendMessageW(page_, WM_COMMAND, MAKEWPARAM(IDC_RESOLUTION_LIST, CBN_SELCHANGE), 0);
    EXPECT_EQ(Record().FrameDpiIdx, 10);
    DoubleClick(page_, 16, 8, true);
    EXPECT_FALSE(Shown(page_, IDC_HELP_CONTENTS) || Shown(page_, IDC_RESOLUTION_LIST));
    Apply();
    EXPECT_EQ(ui_->bApplied, 1u);
}

TEST_F(MaterialPage, SettingsFileSavedAndLoaded) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"vorika-material.txt";
    DeleteFileW(path.c_str());
    WritePrivateProfileStringW(L"Other", L"key", L"kept", path.c_str());
    Record().OffsetX = -7;
    Record().wOutFlags = 0xA5A5A5A5;
    File(IDC_SAVE_SETTINGS, path);
    wchar_t text[4096] = {};
    GetPrivateProfileStringW(L"Other", L"key", L"", text, 4096, path.c_str());
    EXPECT_STREQ(text, L"kept");

    PrinterSettings expected = Record();
    expected.EnableExtendedSize = 1; // the file has no key of its own
    Record().OffsetX = 12;
    Record().wOutFlags = Record().EnableExtendedSize = 0;
    File(IDC_LOAD_SETTINGS, path);
    EXPECT_EQ(std::memcmp(&Record(), &expected, sizeof expected), 0);
    EXPECT_EQ(Text(IDC_OFFSET_X_EDIT), L"-0.7");
    EXPECT_TRUE(Shown(page_, IDC_EXTENDED_SIZE));

    // A damaged record, another version, a missing file: the record stays, the last steps run.
    const auto loadKeeps = [&](const std::wstring& file) {
        Record().LimitX = 1000;
        Record().UserDefinedX = 900;
        PrinterSettings before = Record();
        File(IDC_LOAD_SETTINGS, file);
        before.LimitX = before.UserDefinedX = 800;
        return std::memcmp(&Record(), &before, offsetof(PrinterSettings, EnableExtendedSize)) == 0;
    };
    GetPrivateProfileStringW(kSettingsSection, kSettingsKey, L"", text, 4096, path.c_str());
    text[20] = text[20] == L'0' ? L'1' : L'0';
    WritePrivateProfileStringW(kSettingsSection, kSettingsKey, text, path.c_str());
    WritePrivateProfileStringW(kSettingsSection, kEnableExtendedSizeKey, L"0", path.c_str());
    EXPECT_TRUE(loadKeeps(path));
    EXPECT_FALSE(Shown(page_, IDC_EXTENDED_SIZE));
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"80.0");
    WritePrivateProfileStructW(kSettingsSection, kSettingsKey, &expected, sizeof expected,
                               path.c_str());
    WritePrivateProfileStringW(kSettingsSection, kVersionKey, L"Version 1.0", path.c_str());
    EXPECT_TRUE(loadKeeps(path));
    EXPECT_TRUE(loadKeeps(std::wstring(dir) + L"vorika-missing.txt"));
    EXPECT_TRUE(Shown(page_, IDC_EXTENDED_SIZE));
}

TEST(WorkView, DrawnOnPixels) {
    DrawingSurface surface(IDC_WORK_VIEW, {100, 50, 170, 120}, 0x808080);
    PrinterSettings ps{};
    ps.UserDefinedX = ps.UserDefinedY = 500;
    ps.BiDir = 1;
    DrawMaterial(surface.page, surface.dc, &ps);
    const DWORD pixels[][3] = {
        {100, 60, 0xFFFFFF}, {168, 60, 0xFFFFFF}, {169, 60, 0x808080}, // the square's frame
        {134, 55, 0},        {110, 84, 0},                             // the centre cross
        {115, 90, 0},        {153, 90, 0},        {154, 90, 0x808080}, // the work's outline
        {120, 95, 0xC0C040},                                           // its lower half, no dots
        {117, 70, 0},        {118, 70, 0xC0C040},                      // an even row's dot
        {119, 75, 0},        {117, 75, 0xC0C040},                      // an odd row's, shifted
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(surface.Pixel(p[0], p[1]), p[2]) << p[0] << "," << p[1];
    }
}
#endif

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

} // namespace

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

// The Material page under Wine, made from the built module's template with a UI context of a real
// printer and worked with real messages; its settings file through the platform's profile
// functions, its drawing on pixels.
#ifdef _WIN32
#include "pages/material/material_page.h"

#include "entry/ui_context.h"
#include "pages/material/settings_file.h"
#include "pages/material/work_view.h"
#include "resources/resource.h"
#include "tests/support/seam_override.h"
#include "tests/support/test_printer.h"
#include "ui/dialog_host.h"

#include <prsht.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

HINSTANCE Templates() {
    static HINSTANCE module = LoadLibraryW(TEXT(VORIKAUI_DLL));
    return module;
}

int warnings = 0;
HHOOK hook = nullptr;
LRESULT CALLBACK PressOk(int code, WPARAM wParam, LPARAM lParam) {
    wchar_t kind[16] = {};
    GetClassNameW(reinterpret_cast<HWND>(wParam), kind, 16);
    if (code == HCBT_ACTIVATE && std::wstring(kind) == L"#32770") { // not the sheet coming back
        ++warnings;
        PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

bool middleHeld = false;
SHORT WINAPI KeyState(int key) {
    return key == VK_MENU || key == VK_SHIFT || (key == VK_MBUTTON && middleHeld) ? -32768 : 0;
}

std::wstring chosenPath;
OPENFILENAMEW lastDialog{};
BOOL WINAPI ChooseFile(LPOPENFILENAMEW ofn) {
    lastDialog = *ofn;
    lstrcpynW(ofn->lpstrFile, chosenPath.c_str(), static_cast<int>(ofn->nMaxFile));
    return TRUE;
}

class MaterialPage : public ::testing::Test {
  protected:
    void SetUp() override {
        ui_ = FillUiData(printer_.handle(), nullptr);
        ASSERT_NE(ui_, nullptr);
        owner_ = CreateWindowExW(0, L"STATIC", L"sheet", WS_POPUP | WS_VISIBLE, 0, 0, 500, 500,
                                 nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        ReleaseUiData(ui_);
    }
    // From the template made a child control page, as the property sheet makes it.
    void Open() {
        HRSRC found = FindResourceW(Templates(), MAKEINTRESOURCEW(IDD_MATERIAL_PAGE), RT_DIALOG);
        auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(Templates(), found)));
        std::vector<BYTE> copy(bytes, bytes + SizeofResource(Templates(), found));
        auto* style = reinterpret_cast<DWORD*>(copy.data() + 12); // DLGTEMPLATEEX style
        *style = (*style & ~(WS_DISABLED | WS_POPUP | WS_CAPTION | DS_MODALFRAME)) | DS_CONTROL;
        PROPSHEETPAGEW page{};
        page.dwSize = sizeof page;
        page.lParam = reinterpret_cast<LPARAM>(ui_);
        page_ =
            CreateDialogIndirectParamW(Templates(), reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()),
                                       owner_, PaperDlgProc, reinterpret_cast<LPARAM>(&page));
        ASSERT_NE(page_, nullptr);
    }
    PrinterSettings& ps() { return ui_->devmode.ps; }
    HWND Item(int id) { return GetDlgItem(page_, id); }
    std::wstring Text(int id) {
        wchar_t text[64] = {};
        GetDlgItemTextW(page_, id, text, 64);
        return text;
    }
    void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    bool Shown(int id) { return (GetWindowLongW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    void File(int button, const std::wstring& path) {
        chosenPath = path;
        SeamOverride save(g_dialogHost.GetSaveFileNameW, &ChooseFile);
        SeamOverride load(g_dialogHost.GetOpenFileNameW, &ChooseFile);
        Click(button);
    }

    TestPrinter printer_{L"Velmar VORIKA KLV-20"};
    UiData* ui_ = nullptr;
    HWND owner_ = nullptr;
    HWND page_ = nullptr;
};

} // namespace

TEST_F(MaterialPage, WorkedAsAUserWorksIt) {
    Open();
    // Typed text is taken over when the focus moves on, limited to the work size limit.
    SetFocus(Item(IDC_WIDTH_EDIT));
    for (wchar_t c : std::wstring(L"600")) {
        SendMessageW(Item(IDC_WIDTH_EDIT), WM_CHAR, c, 0);
    }
    SetFocus(Item(IDC_WIDTH_SPIN));
    EXPECT_EQ(ps().UserDefinedX, 500);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"50.0");
    Click(IDC_UNIT_INCH);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"1.97");

    // Extended size on: the Warning once, then room for a spin up in inches.
    hook = SetWindowsHookExW(WH_CBT, PressOk, nullptr, GetCurrentThreadId());
    Click(IDC_EXTENDED_SIZE);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(GetFocus(), Item(IDC_EXTENDED_SIZE));
    EXPECT_EQ(IsDlgButtonChecked(page_, IDC_EXTENDED_SIZE), BST_CHECKED);
    SendMessageW(page_, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(Item(IDC_WIDTH_SPIN)));
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"2.07");
    EXPECT_EQ(ps().UserDefinedX, 526);
    // Off again: no Warning, the size cut back and shown.
    Click(IDC_EXTENDED_SIZE);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(IsDlgButtonChecked(page_, IDC_EXTENDED_SIZE), BST_UNCHECKED);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"1.97");

    NMHDR apply{owner_, 0, static_cast<UINT>(PSN_APPLY)};
    SendMessageW(page_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&apply));
    EXPECT_EQ(ui_->bApplied, 1u);
}

TEST_F(MaterialPage, ServiceChordRevealsOnlyInTheCorner) {
    ps().FrameDpiIdx = 11;
    ps().BaseDpi = 1058;
    Open();
    EXPECT_EQ(ps().FrameDpiIdx, 5);
    EXPECT_EQ(SendMessageW(Item(IDC_RESOLUTION_LIST), CB_GETCURSEL, 0, 0), 2);
    wchar_t entry[16] = {};
    SendMessageW(Item(IDC_RESOLUTION_LIST), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(entry));
    EXPECT_EQ(std::wstring(entry), L" 265 ");

    SeamOverride seam(g_dialogHost.GetAsyncKeyState, &KeyState);
    auto doubleClick = [&](int x, bool middle) {
        middleHeld = middle;
        SendMessageW(page_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(x, 8));
        int shown = 0;
        for (int id : {401, 302, 303, 304, 305, 306, 307, 214, 215}) {
            shown += Shown(id);
        }
        return shown;
    };
    EXPECT_EQ(doubleClick(8, true), 9);
    EXPECT_EQ(doubleClick(8, false), 0);
    EXPECT_EQ(doubleClick(8, true), 9);
    EXPECT_EQ(doubleClick(16, true), 0);

    // A choice in the list sets the divisor; every paint selects the record's again.
    SendMessageW(Item(IDC_RESOLUTION_LIST), CB_SETCURSEL, 7, 0);
    SendMessageW(page_, WM_COMMAND, MAKEWPARAM(IDC_RESOLUTION_LIST, CBN_SELCHANGE), 0);
    EXPECT_EQ(ps().FrameDpiIdx, 10);
    ps().FrameDpiIdx = 9;
    ShowWindow(page_, SW_SHOW);
    UpdateWindow(page_);
    EXPECT_EQ(SendMessageW(Item(IDC_RESOLUTION_LIST), CB_GETCURSEL, 0, 0), 6);
}

TEST_F(MaterialPage, SettingsFileSavedAndLoaded) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"vorika-material.txt";
    DeleteFileW(path.c_str());
    WritePrivateProfileStringW(L"Other", L"key", L"kept", path.c_str());
    ps().OffsetX = -7;
    ps().ULOrigin = 1;
    ps().TextSet.Entry[8].Speed = 17;
    ps().wOutFlags = 0xA5A5A5A5;
    Open();
    File(IDC_SAVE_SETTINGS, path);
    EXPECT_EQ(lastDialog.hwndOwner, page_);
    EXPECT_EQ(lastDialog.Flags, static_cast<DWORD>(OFN_PATHMUSTEXIST));
    EXPECT_EQ(std::memcmp(lastDialog.lpstrFilter, L"Settings\0settings.txt\0", 46), 0);
    wchar_t text[4096] = {};
    GetPrivateProfileStringW(L"Other", L"key", L"", text, 4096, path.c_str());
    EXPECT_EQ(std::wstring(text), L"kept");

    PrinterSettings expected = ps();
    expected.EnableExtendedSize = 1;
    ps().OffsetX = 12;
    ps().ULOrigin = 0;
    ps().TextSet.Entry[8].Speed = 3;
    ps().EnableExtendedSize = 0;
    File(IDC_LOAD_SETTINGS, path);
    EXPECT_EQ(lastDialog.nFilterIndex, 2u);
    EXPECT_EQ(lastDialog.Flags, static_cast<DWORD>(OFN_PATHMUSTEXIST | OFN_CREATEPROMPT));
    EXPECT_EQ(std::memcmp(&ps(), &expected, sizeof expected), 0);
    EXPECT_EQ(Text(IDC_OFFSET_X_EDIT), L"-0.7");
    EXPECT_EQ(IsDlgButtonChecked(page_, IDC_UPPER_LEFT_ORIGIN), BST_CHECKED);
    EXPECT_TRUE(Shown(IDC_EXTENDED_SIZE));

    // A damaged record, another version, a missing file: the record stays, the last steps run.
    GetPrivateProfileStringW(kSettingsSection, kSettingsKey, L"", text, 4096, path.c_str());
    text[20] = text[20] == L'0' ? L'1' : L'0';
    WritePrivateProfileStringW(kSettingsSection, kSettingsKey, text, path.c_str());
    WritePrivateProfileStringW(kSettingsSection, kEnableExtendedSizeKey, L"0", path.c_str());
    auto loadKeeps = [&](const std::wstring& file) {
        ps().LimitX = 1000;
        ps().UserDefinedX = 900;
        PrinterSettings before = ps();
        File(IDC_LOAD_SETTINGS, file);
        before.LimitX = before.UserDefinedX = 800;
        return std::memcmp(&ps(), &before, offsetof(PrinterSettings, EnableExtendedSize)) == 0;
    };
    EXPECT_TRUE(loadKeeps(path));
    EXPECT_FALSE(Shown(IDC_EXTENDED_SIZE));
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"80.0");
    WritePrivateProfileStructW(kSettingsSection, kSettingsKey, &expected, sizeof expected,
                               path.c_str());
    WritePrivateProfileStringW(kSettingsSection, kVersionKey, L"Version 1.0", path.c_str());
    EXPECT_TRUE(loadKeeps(path));
    EXPECT_TRUE(loadKeeps(std::wstring(dir) + L"vorika-missing.txt"));
    EXPECT_TRUE(Shown(IDC_EXTENDED_SIZE));
}

TEST(WorkView, DrawnOnPixels) {
    HWND page = CreateWindowExW(0, L"STATIC", L"page", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                                nullptr, nullptr);
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 100, 50, 70, 70, page,
                    reinterpret_cast<HMENU>(IDC_WORK_VIEW), nullptr, nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 200;
    info.bmiHeader.biHeight = -200; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    DWORD* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits),
                                   nullptr, 0);
    std::memset(bits, 0x80, 200 * 200 * 4);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, dib);
    PrinterSettings ps{};
    ps.UserDefinedX = ps.UserDefinedY = 500;
    ps.BiDir = 1;
    DrawMaterial(page, dc, &ps);
    GdiFlush();
    const struct {
        int x, y;
        DWORD colour;
    } pixels[] = {
        {100, 60, 0xFFFFFF}, {168, 60, 0xFFFFFF}, {169, 60, 0x808080}, // the square's frame
        {134, 55, 0},        {110, 84, 0},                             // the centre cross
        {115, 90, 0},        {153, 90, 0},        {154, 90, 0x808080}, // the work's outline
        {120, 95, 0xC0C040},                                           // its lower half, no dots
        {117, 70, 0},        {118, 70, 0xC0C040},                      // an even row's dot
        {119, 75, 0},        {117, 75, 0xC0C040},                      // an odd row's, shifted
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(bits[p.y * 200 + p.x] & 0xFFFFFF, p.colour) << p.x << "," << p.y;
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(dib);
    DestroyWindow(page);
}
#endif

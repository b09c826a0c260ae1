// The Material page under Wine, made from the built module's template with a UI context of a real
// printer and worked with real messages; its drawing on pixels and its settings file through the
// platform's profile functions.
#ifdef _WIN32
#include "pages/material/material_page.h"

#include "entry/ui_context.h"
#include "pages/material/settings_file.h"
#include "pages/material/work_view.h"
#include "resources/resource.h"
#include "tests/support/seam_override.h"
#include "tests/support/test_printer.h"
#include "ui/dialog_host.h"

#include <commdlg.h>
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

// The page's template made a child control page, as the property sheet makes it.
std::vector<BYTE> PageTemplate() {
    HRSRC found = FindResourceW(Templates(), MAKEINTRESOURCEW(IDD_MATERIAL_PAGE), RT_DIALOG);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(Templates(), found)));
    std::vector<BYTE> copy(bytes, bytes + SizeofResource(Templates(), found));
    DWORD style;
    std::memcpy(&style, copy.data() + 12, sizeof style); // after version, signature, help, exstyle
    style &= ~(WS_DISABLED | WS_POPUP | WS_CAPTION | DS_MODALFRAME);
    style |= WS_CHILD | DS_CONTROL;
    std::memcpy(copy.data() + 12, &style, sizeof style);
    return copy;
}

int warnings = 0;
HHOOK hook = nullptr;

// Presses OK in the Warning dialog as soon as it is active.
LRESULT CALLBACK PressOk(int code, WPARAM wParam, LPARAM lParam) {
    wchar_t kind[16] = {};
    GetClassNameW(reinterpret_cast<HWND>(wParam), kind, 16);
    // The sheet's own window is activated again when the dialog closes.
    if (code == HCBT_ACTIVATE && std::wstring(kind) == L"#32770") {
        ++warnings;
        PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

SHORT heldKeys[3] = {}; // middle button, Alt, Shift
SHORT WINAPI KeyState(int key) {
    switch (key) {
    case VK_MBUTTON:
        return heldKeys[0];
    case VK_MENU:
        return heldKeys[1];
    case VK_SHIFT:
        return heldKeys[2];
    default:
        return 0;
    }
}

std::wstring chosenPath;
OPENFILENAMEW lastDialog{};
std::wstring offeredName;
BOOL WINAPI ChooseFile(LPOPENFILENAMEW ofn) {
    lastDialog = *ofn;
    offeredName = ofn->lpstrFile;
    lstrcpynW(ofn->lpstrFile, chosenPath.c_str(), static_cast<int>(ofn->nMaxFile));
    return !chosenPath.empty();
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
    void Open() {
        PROPSHEETPAGEW page{};
        page.dwSize = sizeof page;
        page.hInstance = Templates();
        page.lParam = reinterpret_cast<LPARAM>(ui_);
        const std::vector<BYTE> bytes = PageTemplate();
        page_ =
            CreateDialogIndirectParamW(Templates(), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
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
    void Spin(int id, WORD code) { SendMessageW(page_, WM_VSCROLL, code, (LPARAM)Item(id)); }
    void Type(int id, const wchar_t* text) {
        SetFocus(Item(id));
        for (; *text != 0; ++text) {
            SendMessageW(Item(id), WM_CHAR, *text, 0);
        }
    }
    bool Shown(int id) { return (GetWindowLongW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    void Load(const std::wstring& path) {
        chosenPath = path;
        SeamOverride seam(g_dialogHost.GetOpenFileNameW, &ChooseFile);
        Click(IDC_LOAD_SETTINGS);
    }
    void Save(const std::wstring& path) {
        chosenPath = path;
        SeamOverride seam(g_dialogHost.GetSaveFileNameW, &ChooseFile);
        Click(IDC_SAVE_SETTINGS);
    }

    TestPrinter printer_{L"Velmar VORIKA KLV-20"};
    UiData* ui_ = nullptr;
    HWND owner_ = nullptr;
    HWND page_ = nullptr;
};

std::wstring TempFile(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + name;
    DeleteFileW(path.c_str());
    return path;
}

std::string FileText(const std::wstring& path) {
    std::string text;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[8192];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read != 0) {
        text.append(buffer, read);
    }
    CloseHandle(file);
    return text;
}

void WriteFileText(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

TEST_F(MaterialPage, WorkedAsAUserWorksIt) {
    Open();
    EXPECT_EQ(GetWindowLongPtrW(page_, DWLP_USER), reinterpret_cast<LONG_PTR>(ui_));
    // Typed text is taken over when the focus moves on, limited to the work size limit.
    Type(IDC_WIDTH_EDIT, L"600");
    SetFocus(Item(IDC_WIDTH_SPIN));
    EXPECT_EQ(ps().UserDefinedX, 500);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"50.0");

    // Inches change the text only.
    Click(IDC_UNIT_INCH);
    EXPECT_EQ(ps().UserUnit, 1);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"1.97");
    EXPECT_EQ(ps().UserDefinedX, 500);

    // Extended size on: the Warning once, then the larger limit for a spin in inches.
    ASSERT_TRUE(Shown(IDC_EXTENDED_SIZE));
    hook = SetWindowsHookExW(WH_CBT, PressOk, nullptr, GetCurrentThreadId());
    Click(IDC_EXTENDED_SIZE);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(GetFocus(), Item(IDC_EXTENDED_SIZE));
    EXPECT_EQ(IsDlgButtonChecked(page_, IDC_EXTENDED_SIZE), BST_CHECKED);
    EXPECT_EQ(ps().LimitX, 800);
    Spin(IDC_WIDTH_SPIN, SB_LINEUP);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"2.07");
    EXPECT_EQ(ps().UserDefinedX, 526);

    // Off again: no Warning, the size cut back and shown.
    Click(IDC_EXTENDED_SIZE);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(IsDlgButtonChecked(page_, IDC_EXTENDED_SIZE), BST_UNCHECKED);
    EXPECT_EQ(ps().UserDefinedX, 500);
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"1.97");

    // The sheet's apply marks the context applied.
    NMHDR apply{owner_, 0, static_cast<UINT>(PSN_APPLY)};
    SendMessageW(page_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&apply));
    EXPECT_EQ(ui_->bApplied, 1u);
    DestroyWindow(page_);
}

TEST_F(MaterialPage, ServiceChordRevealsOnlyInTheCorner) {
    ps().FrameDpiIdx = 11;
    ps().BaseDpi = 1058;
    Open();
    // An index no list entry names selects the third entry; the list follows the base.
    EXPECT_EQ(ps().FrameDpiIdx, 5);
    EXPECT_EQ(SendMessageW(Item(IDC_RESOLUTION_LIST), CB_GETCURSEL, 0, 0), 2);
    wchar_t entry[16] = {};
    SendMessageW(Item(IDC_RESOLUTION_LIST), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(entry));
    EXPECT_EQ(std::wstring(entry), L" 265 ");

    SeamOverride seam(g_dialogHost.GetAsyncKeyState, &KeyState);
    const int extras[] = {401, 302, 303, 304, 305, 306, 307, 214, 215};
    auto doubleClick = [&](int x, int y, SHORT middle) {
        heldKeys[0] = middle;
        heldKeys[1] = heldKeys[2] = static_cast<SHORT>(0x8000);
        SendMessageW(page_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(x, y));
        int shown = 0;
        for (int id : extras) {
            shown += Shown(id);
        }
        return shown;
    };
    EXPECT_EQ(doubleClick(8, 8, static_cast<SHORT>(0x8000)), 9);
    EXPECT_EQ(doubleClick(8, 8, 0), 0);
    EXPECT_EQ(doubleClick(8, 8, static_cast<SHORT>(0x8000)), 9);
    EXPECT_EQ(doubleClick(16, 8, static_cast<SHORT>(0x8000)), 0);

    // A choice in the revealed list sets the divisor.
    SendMessageW(Item(IDC_RESOLUTION_LIST), CB_SETCURSEL, 7, 0);
    SendMessageW(page_, WM_COMMAND, MAKEWPARAM(IDC_RESOLUTION_LIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(IDC_RESOLUTION_LIST)));
    EXPECT_EQ(ps().FrameDpiIdx, 10);
    DestroyWindow(page_);
}

TEST_F(MaterialPage, SettingsFileSavedAndLoadedThroughTheProfileFunctions) {
    const std::wstring path = TempFile(L"vorika-material.txt");
    WriteFileText(path, "[Other]\r\nkey=kept\r\n");
    ps().OffsetX = -7;
    ps().ULOrigin = 1;
    ps().CmpMode = 2;
    ps().TextSet.Entry[8].Speed = 17;
    ps().wOutFlags = 0xA5A5A5A5;
    Open();
    Save(path);
    EXPECT_EQ(lastDialog.hwndOwner, page_);
    EXPECT_EQ(lastDialog.nFilterIndex, 1u);
    EXPECT_EQ(lastDialog.Flags, static_cast<DWORD>(OFN_PATHMUSTEXIST));
    EXPECT_EQ(std::memcmp(lastDialog.lpstrFilter, L"Settings\0settings.txt\0", 46), 0);
    EXPECT_EQ(std::wstring(lastDialog.lpstrDefExt), L"txt");
    const std::string text = FileText(path);
    EXPECT_NE(text.find("[Other]"), std::string::npos);
    EXPECT_NE(text.find("key=kept"), std::string::npos);
    EXPECT_NE(text.find("Version=Version 1.00"), std::string::npos);

    const PrinterSettings saved = ps();
    ps().OffsetX = 12;
    ps().UserUnit = 1;
    ps().ULOrigin = 0;
    ps().TextSet.Entry[8].Speed = 3;
    ps().EnableExtendedSize = 0;
    Load(path);
    EXPECT_EQ(lastDialog.nFilterIndex, 2u);
    EXPECT_EQ(lastDialog.Flags, static_cast<DWORD>(OFN_PATHMUSTEXIST | OFN_CREATEPROMPT));
    EXPECT_EQ(std::memcmp(lastDialog.lpstrFilter, L"All Files\0*.*\0Settings\0*.txt\0", 60), 0);
    PrinterSettings expected = saved;
    expected.EnableExtendedSize = 1;
    EXPECT_EQ(std::memcmp(&ps(), &expected, sizeof expected), 0);
    EXPECT_EQ(Text(IDC_OFFSET_X_EDIT), L"-0.7");
    EXPECT_EQ(IsDlgButtonChecked(page_, IDC_UPPER_LEFT_ORIGIN), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(page_, IDC_COMPRESSION_TIFF), BST_CHECKED);
    EXPECT_TRUE(Shown(IDC_EXTENDED_SIZE));

    // The next dialog offers the name chosen last in it.
    Load(L"");
    EXPECT_EQ(offeredName, path);
    DestroyWindow(page_);
}

TEST_F(MaterialPage, DamagedFilesLeaveTheRecordButStillRunTheLastSteps) {
    const std::wstring path = TempFile(L"vorika-damaged.txt");
    Open();
    Save(path);
    std::string text = FileText(path);
    const size_t value = text.find("Settings=") + 9;
    text[value + 20] = text[value + 20] == '0' ? '1' : '0'; // no longer matches its check value
    WriteFileText(path, text + "EnableExtendedSize=0\r\n");
    auto load = [&](const std::wstring& file) {
        ps().LimitX = 1000;
        ps().UserDefinedX = 900;
        ps().EnableExtendedSize = 1;
        ShowWindow(Item(IDC_EXTENDED_SIZE), SW_SHOW);
        PrinterSettings before = ps();
        Load(file);
        before.LimitX = 800;
        before.UserDefinedX = 800;
        return std::memcmp(&ps(), &before, offsetof(PrinterSettings, EnableExtendedSize)) == 0;
    };
    EXPECT_TRUE(load(path));
    EXPECT_EQ(ps().EnableExtendedSize, 0);
    EXPECT_FALSE(Shown(IDC_EXTENDED_SIZE));
    EXPECT_EQ(Text(IDC_WIDTH_EDIT), L"80.0");

    // Another version, or a file that is not there: the record stays, the switch shows.
    WritePrivateProfileStringW(kSettingsSection, kVersionKey, L"Version 1.0", path.c_str());
    WritePrivateProfileStructW(kSettingsSection, kSettingsKey, &ps(), sizeof(PrinterSettings),
                               path.c_str());
    WritePrivateProfileStringW(kSettingsSection, kEnableExtendedSizeKey, nullptr, path.c_str());
    ps().BiDir = 1; // a record that the file's would change
    EXPECT_TRUE(load(path));
    EXPECT_TRUE(Shown(IDC_EXTENDED_SIZE));
    const std::wstring missing = TempFile(L"vorika-missing.txt");
    EXPECT_TRUE(load(missing));
    EXPECT_EQ(GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);
    DestroyWindow(page_);
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
    auto at = [&](int x, int y) { return bits[y * 200 + x] & 0xFFFFFF; };
    constexpr DWORD white = 0xFFFFFF, black = 0, grey = 0x808080, work = 0xC0C040;
    EXPECT_EQ(at(100, 60), white); // frame, left edge
    EXPECT_EQ(at(168, 60), white); // frame, right edge inside (100 + 69 - 1)
    EXPECT_EQ(at(169, 60), grey);  // outside the square
    EXPECT_EQ(at(134, 55), black); // centre cross
    EXPECT_EQ(at(110, 84), black);
    EXPECT_EQ(at(115, 90), black); // work outline
    EXPECT_EQ(at(153, 90), black);
    EXPECT_EQ(at(154, 90), grey);
    EXPECT_EQ(at(120, 95), work);  // lower half: no dots
    EXPECT_EQ(at(117, 70), black); // even row dot
    EXPECT_EQ(at(118, 70), work);
    EXPECT_EQ(at(119, 75), black); // odd row shifted
    EXPECT_EQ(at(117, 75), work);
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(dib);
    DestroyWindow(page);
}
#endif

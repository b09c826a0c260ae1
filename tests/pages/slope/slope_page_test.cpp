// The Slope correction page under Wine, worked as a user works it: created from the real template
// as the sheet creates a page, with real focus changes, typing, spin bars, clicks, and the service
// chord held through the input queue. The rules' detail is pinned in the model's tests.
#ifdef _WIN32
#include "pages/slope/slope_page.h"

#include "entry/ui_context.h"
#include "resources/resource.h"
#include "settings/wide_strings.h"
#include "tests/pages/slope/captured_printer.h"

#include <prsht.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The page's template in a language, made a child control page as the sheet makes it.
std::vector<BYTE> PageTemplate(HINSTANCE module, LANGID language) {
    HRSRC found = FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(IDD_SLOPE_PAGE), language);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    std::vector<BYTE> copy(bytes, bytes + SizeofResource(module, found));
    DWORD style; // after the version, signature, help ID and extended style
    std::memcpy(&style, copy.data() + 12, sizeof style);
    style &= ~static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_DISABLED | DS_MODALFRAME);
    style |= WS_CHILD | DS_CONTROL;
    std::memcpy(copy.data() + 12, &style, sizeof style);
    return copy;
}

// Alt, Shift and the middle mouse button, held as a user holds them.
void HoldServiceChord(bool down) {
    INPUT input[3] = {};
    for (int i = 0; i < 2; ++i) {
        input[i].type = INPUT_KEYBOARD;
        input[i].ki.wVk = i == 0 ? VK_MENU : VK_SHIFT;
        input[i].ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    }
    input[2].type = INPUT_MOUSE;
    input[2].mi.dwFlags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    SendInput(3, input, sizeof(INPUT));
}

class SlopePage : public ::testing::Test {
  protected:
    void SetUp() override {
        ui_ = FillUiData(printer_.handle(), nullptr);
        ASSERT_NE(ui_, nullptr);
        // The test prints go to the printer that the context's DEVMODE names.
        CopyStringW(ui_->devmode.dm.dmDeviceName, printer_.name(), CCHDEVICENAME);
        sheet_ = CreateWindowExW(0, L"STATIC", L"sheet", WS_POPUP | WS_VISIBLE, 0, 0, 600, 500,
                                 nullptr, nullptr, nullptr, nullptr);
        HINSTANCE module = LoadLibraryW(TEXT(VORIKAUI_DLL));
        const std::vector<BYTE> dialog = PageTemplate(module, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
        PROPSHEETPAGEW page{};
        page.dwSize = sizeof page;
        page.lParam = reinterpret_cast<LPARAM>(ui_);
        page_ = CreateDialogIndirectParamW(module, reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()),
                                           sheet_, SlopeDlgProc, reinterpret_cast<LPARAM>(&page));
        ASSERT_NE(page_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(sheet_);
        ReleaseUiData(ui_);
    }

    HWND Item(int id) const { return GetDlgItem(page_, id); }
    std::wstring Text(int id) const {
        wchar_t text[32] = {};
        GetDlgItemTextW(page_, id, text, 32);
        return text;
    }
    bool Shown(int id) const { return (GetWindowLongW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    // Focusing an edit selects its text, so the keys replace it; a spin bar takes the focus next.
    void Type(int edit, const wchar_t* keys) const {
        SetFocus(Item(edit));
        for (const wchar_t* k = keys; *k != 0; ++k) {
            SendMessageW(Item(edit), WM_CHAR, *k, 1);
        }
        SetFocus(Item(IDC_BACK_SPIN));
    }
    void Spin(int bar, int code) const {
        SendMessageW(page_, WM_VSCROLL, code, reinterpret_cast<LPARAM>(Item(bar)));
    }
    void DoubleClick(int x, int y) const {
        SendMessageW(page_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    }

    CapturedPrinter printer_{L"Velmar VORIKA KLV-20"};
    UiData* ui_ = nullptr;
    HWND sheet_ = nullptr;
    HWND page_ = nullptr;
};

constexpr int kReadingControls[] = {806, 807, 808, 809, 810, 811, 812, 813};
constexpr int kServiceControls[] = {814, 815, 817, 818};

} // namespace

TEST_F(SlopePage, TheCheckBoxEnablesExactlyTheEditsAndSpinBars) {
    for (bool on : {true, false}) {
        Click(IDC_CORRECT_SLOPE);
        EXPECT_EQ(ui_->devmode.ps.CorrectSlope, on ? 1 : 0);
        for (int id : kReadingControls) {
            EXPECT_EQ(IsWindowEnabled(Item(id)) != FALSE, on) << id;
        }
        for (int id : {802, 803, 804, 805, 816}) {
            EXPECT_TRUE(IsWindowEnabled(Item(id))) << id;
        }
    }
    EXPECT_EQ(Text(IDC_BACK_EDIT), L"10");
}

TEST_F(SlopePage, TypedValuesAreHeldAndTheRightSpinBarStepsRight) {
    Click(IDC_CORRECT_SLOPE);
    Type(IDC_BACK_EDIT, L"7x");
    EXPECT_EQ(ui_->devmode.ps.Rear, 7);
    EXPECT_EQ(Text(IDC_BACK_EDIT), L"7");
    Type(IDC_FRONT_EDIT, L"300");
    EXPECT_EQ(ui_->devmode.ps.Front, 25);
    EXPECT_EQ(Text(IDC_FRONT_EDIT), L"25");
    EXPECT_EQ(Text(IDC_FRONT_BACK_RATIO), L"225");
    Type(IDC_LEFT_EDIT, L"\b");
    EXPECT_EQ(Text(IDC_LEFT_EDIT), L"1");

    Spin(IDC_RIGHT_SPIN, SB_LINEUP);
    EXPECT_EQ(GetFocus(), Item(IDC_RIGHT_EDIT));
    EXPECT_EQ(ui_->devmode.ps.Right, 11);
    EXPECT_EQ(Text(IDC_RIGHT_EDIT), L"11");
    EXPECT_EQ(Text(IDC_LEFT_RIGHT_RATIO), L"333");
    Spin(IDC_LEFT_SPIN, SB_LINEDOWN);
    EXPECT_EQ(ui_->devmode.ps.Left, 1);
    EXPECT_EQ(ui_->devmode.ps.Right, 11);
}

TEST_F(SlopePage, TheChordRevealsTheServiceButtonsWhichPrintWhateverTheCheckBoxSays) {
    HoldServiceChord(true);
    DoubleClick(15, 15);
    HoldServiceChord(false);
    for (int id : kServiceControls) {
        EXPECT_TRUE(Shown(id)) << id;
    }
    ASSERT_EQ(ui_->devmode.ps.CorrectSlope, 0);
    Click(IDC_TEST_PRINT_1);
    EXPECT_EQ(printer_.Output(), "@PJL DO TESTPRINT=1\n");
    Click(IDC_TEST_PRINT);
    EXPECT_EQ(printer_.Output(), "@PJL DO TESTPRINT=2\n");

    DoubleClick(5, 5); // without the chord
    for (int id : kServiceControls) {
        EXPECT_FALSE(Shown(id)) << id;
    }
    NMHDR apply{sheet_, 0, static_cast<UINT>(PSN_APPLY)};
    SendMessageW(page_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&apply));
    EXPECT_EQ(ui_->bApplied, 1u);
}
#endif

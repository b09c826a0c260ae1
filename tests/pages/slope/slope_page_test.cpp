// The Slope correction page driven under Wine as a user works it: created from the real template
// as the sheet creates a page, with real focus changes, typing, spin bars, clicks and the
// service chord held through the input queue.
#ifdef _WIN32
#include "pages/slope/slope_page.h"

#include "entry/ui_context.h"
#include "resources/resource.h"
#include "settings/wide_strings.h"
#include "tests/pages/slope/captured_printer.h"
#include "tests/support/seam_override.h"
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

// A copy of the page's template in a language, made a child control page as the sheet makes it.
std::vector<BYTE> PageTemplate(LANGID language) {
    HRSRC found = FindResourceExW(Templates(), RT_DIALOG, MAKEINTRESOURCEW(IDD_SLOPE_PAGE), language);
    if (found == nullptr) {
        return {};
    }
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(Templates(), found)));
    std::vector<BYTE> copy(bytes, bytes + SizeofResource(Templates(), found));
    constexpr size_t kStyleOffset = 12; // after version, signature, help ID and extended style
    DWORD style;
    std::memcpy(&style, copy.data() + kStyleOffset, sizeof style);
    style &= ~static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_DISABLED | DS_MODALFRAME);
    style |= WS_CHILD | DS_CONTROL;
    std::memcpy(copy.data() + kStyleOffset, &style, sizeof style);
    return copy;
}

class SlopePage : public ::testing::Test {
  protected:
    void SetUp() override {
        ui_ = FillUiData(printer_.handle(), nullptr);
        ASSERT_NE(ui_, nullptr);
        // The test prints go to the printer the context's DEVMODE names.
        CopyStringW(ui_->devmode.dm.dmDeviceName, printer_.name(), CCHDEVICENAME);
        sheet_ = CreateWindowExW(0, L"STATIC", L"sheet", WS_POPUP | WS_VISIBLE, 0, 0, 600, 500,
                                 nullptr, nullptr, nullptr, nullptr);
        Create(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    }
    void TearDown() override {
        DestroyWindow(page_);
        DestroyWindow(sheet_);
        ReleaseUiData(ui_);
    }

    void Create(LANGID language) {
        if (page_ != nullptr) {
            DestroyWindow(page_);
        }
        const std::vector<BYTE> dialog = PageTemplate(language);
        ASSERT_FALSE(dialog.empty());
        PROPSHEETPAGEW page{};
        page.dwSize = sizeof page;
        page.hInstance = Templates();
        page.lParam = reinterpret_cast<LPARAM>(ui_);
        page_ = CreateDialogIndirectParamW(Templates(),
                                           reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()),
                                           sheet_, SlopeDlgProc, reinterpret_cast<LPARAM>(&page));
        ASSERT_NE(page_, nullptr);
        ShowWindow(page_, SW_SHOW);
    }

    HWND Item(int id) const { return GetDlgItem(page_, id); }
    std::wstring Text(int id) const {
        wchar_t text[32] = {};
        GetDlgItemTextW(page_, id, text, 32);
        return text;
    }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Shown(int id) const { return (GetWindowLongW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    PrinterSettings& Record() const { return ui_->devmode.ps; }

    void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
    // Focuses an edit (which selects its text), types, and leaves it for a control that does
    // nothing on focus.
    void Type(int edit, const wchar_t* keys) {
        SetFocus(Item(edit));
        for (const wchar_t* k = keys; *k != 0; ++k) {
            SendMessageW(Item(edit), WM_CHAR, *k, 1);
        }
        SetFocus(Item(IDC_BACK_SPIN));
    }
    void Spin(int bar, int code) {
        SendMessageW(page_, WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(Item(bar)));
    }
    void DoubleClick(int x, int y) {
        SendMessageW(page_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    }

    CapturedPrinter printer_{L"Velmar VORIKA KLV-20"};
    UiData* ui_ = nullptr;
    HWND sheet_ = nullptr;
    HWND page_ = nullptr;
};

constexpr int kReadingControls[] = {IDC_BACK_EDIT,  IDC_FRONT_EDIT, IDC_LEFT_EDIT, IDC_RIGHT_EDIT,
                                    IDC_BACK_SPIN,  IDC_FRONT_SPIN, IDC_LEFT_SPIN, IDC_RIGHT_SPIN};
constexpr int kAlwaysEnabled[] = {IDC_CORRECT_SLOPE, IDC_BACK_LABEL, IDC_FRONT_LABEL,
                                  IDC_LEFT_LABEL,    IDC_RIGHT_LABEL, IDC_TEST_PRINT};
constexpr int kServiceControls[] = {IDC_FRONT_BACK_RATIO, IDC_LEFT_RIGHT_RATIO, IDC_TEST_PRINT_1,
                                    IDC_TEST_PRINT_0};

// Alt, Shift and the middle mouse button, held through the input queue as a user holds them.
class ServiceChord {
  public:
    ServiceChord() { Send(0, MOUSEEVENTF_MIDDLEDOWN); }
    ~ServiceChord() { Send(KEYEVENTF_KEYUP, MOUSEEVENTF_MIDDLEUP); }

  private:
    static void Send(DWORD keyFlags, DWORD mouseFlags) {
        INPUT input[3] = {};
        input[0].type = INPUT_KEYBOARD;
        input[0].ki.wVk = VK_MENU;
        input[0].ki.dwFlags = keyFlags;
        input[1].type = INPUT_KEYBOARD;
        input[1].ki.wVk = VK_SHIFT;
        input[1].ki.dwFlags = keyFlags;
        input[2].type = INPUT_MOUSE;
        input[2].mi.dwFlags = mouseFlags;
        SendInput(3, input, sizeof(INPUT));
    }
};

} // namespace

TEST_F(SlopePage, TheCheckBoxEnablesExactlyTheReadingsAndKeepsTheirValues) {
    EXPECT_EQ(Record().CorrectSlope, 0);
    EXPECT_EQ(IsDlgButtonChecked(page_, IDC_CORRECT_SLOPE), BST_UNCHECKED);
    for (int id : kReadingControls) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    Click(IDC_CORRECT_SLOPE);
    EXPECT_EQ(Record().CorrectSlope, 1);
    EXPECT_EQ(IsDlgButtonChecked(page_, IDC_CORRECT_SLOPE), BST_CHECKED);
    for (int id : kReadingControls) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    Type(IDC_FRONT_EDIT, L"12");
    Click(IDC_CORRECT_SLOPE);
    EXPECT_EQ(Record().CorrectSlope, 0);
    for (int id : kReadingControls) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    for (int id : kAlwaysEnabled) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    EXPECT_EQ(Text(IDC_BACK_EDIT), L"10");
    EXPECT_EQ(Text(IDC_FRONT_EDIT), L"12");
    EXPECT_EQ(Text(IDC_FRONT_BACK_RATIO), L"36");
}

TEST_F(SlopePage, TypedValuesAreHeldToOneToTwentyFiveWhenTheEditIsLeft) {
    Click(IDC_CORRECT_SLOPE);
    struct Typing {
        const wchar_t* keys;
        LONG stored;
        const wchar_t* shown;
    };
    // Focusing an edit selects its text, so what is typed replaces it; the edits take two
    // characters.
    const Typing typings[] = {{L"7x", 7, L"7"}, {L"30", 25, L"25"}, {L"\b", 1, L"1"},
                              {L"-5", 1, L"1"}, {L"123", 12, L"12"}};
    for (const Typing& t : typings) {
        Type(IDC_BACK_EDIT, t.keys);
        EXPECT_EQ(Record().Rear, t.stored) << t.shown;
        EXPECT_EQ(Text(IDC_BACK_EDIT), t.shown);
    }
    Type(IDC_RIGHT_EDIT, L"1");
    Type(IDC_LEFT_EDIT, L"25");
    EXPECT_EQ(Record().Left, 25);
    EXPECT_EQ(Record().Right, 1);
    EXPECT_EQ(Text(IDC_LEFT_RIGHT_RATIO), L"-369");
}

TEST_F(SlopePage, EachSpinBarStepsItsOwnReadingAndDisplay) {
    Click(IDC_CORRECT_SLOPE);
    Spin(IDC_RIGHT_SPIN, SB_LINEUP);
    EXPECT_EQ(Record().Right, 11);
    EXPECT_EQ(Record().Left, 10);
    EXPECT_EQ(Text(IDC_RIGHT_EDIT), L"11");
    EXPECT_EQ(GetFocus(), Item(IDC_RIGHT_EDIT));
    EXPECT_EQ(Text(IDC_LEFT_RIGHT_RATIO), L"19");

    Spin(IDC_LEFT_SPIN, SB_LINEDOWN);
    EXPECT_EQ(Record().Left, 9);
    EXPECT_EQ(Text(IDC_LEFT_EDIT), L"9");
    EXPECT_EQ(Text(IDC_LEFT_RIGHT_RATIO), L"40");

    Type(IDC_BACK_EDIT, L"25");
    Spin(IDC_BACK_SPIN, SB_LINEUP);
    EXPECT_EQ(Record().Rear, 25);
    Spin(IDC_FRONT_SPIN, SB_LINEDOWN);
    EXPECT_EQ(Record().Front, 9);
    EXPECT_EQ(Text(IDC_FRONT_BACK_RATIO), L"-188");
    // Other codes move the focus only.
    Spin(IDC_FRONT_SPIN, SB_PAGEUP);
    EXPECT_EQ(Record().Front, 9);
    EXPECT_EQ(GetFocus(), Item(IDC_FRONT_EDIT));
}

TEST_F(SlopePage, TheServiceChordRevealsTheServiceControlsOnlyInTheCorner) {
    for (int id : kServiceControls) {
        EXPECT_FALSE(Shown(id)) << id;
    }
    {
        ServiceChord chord;
        DoubleClick(15, 15);
        for (int id : kServiceControls) {
            EXPECT_TRUE(Shown(id)) << id;
        }
        DoubleClick(16, 3);
        EXPECT_FALSE(Shown(IDC_TEST_PRINT_0));
        DoubleClick(1, 1);
        EXPECT_TRUE(Shown(IDC_TEST_PRINT_0));
    }
    DoubleClick(5, 5);
    for (int id : kServiceControls) {
        EXPECT_FALSE(Shown(id)) << id;
    }
}

TEST_F(SlopePage, TestPrintButtonsPrintWhateverTheCheckBoxSays) {
    {
        ServiceChord chord;
        DoubleClick(5, 5);
    }
    ASSERT_EQ(Record().CorrectSlope, 0);
    // The port's file holds the latest job.
    Click(IDC_TEST_PRINT_1);
    EXPECT_EQ(printer_.Output(), "@PJL DO TESTPRINT=1\n");
    Click(IDC_TEST_PRINT_0);
    EXPECT_EQ(printer_.Output(), "@PJL DO TESTPRINT=0\n");
    Click(IDC_TEST_PRINT);
    EXPECT_EQ(printer_.Output(), "@PJL DO TESTPRINT=2\n");
}

TEST_F(SlopePage, ApplyingMarksTheContextTheJapanesePageShowsTheSameRecord) {
    NMHDR apply{sheet_, 0, static_cast<UINT>(PSN_APPLY)};
    EXPECT_EQ(SendMessageW(page_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&apply)), 0);
    EXPECT_EQ(ui_->bApplied, 1u);

    Record().CorrectSlope = 1;
    Record().Left = 0;
    Record().Right = 0;
    Create(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    EXPECT_EQ(IsDlgButtonChecked(page_, IDC_CORRECT_SLOPE), BST_CHECKED);
    EXPECT_TRUE(Enabled(IDC_LEFT_EDIT));
    EXPECT_EQ(Text(IDC_LEFT_EDIT), L"0");
    EXPECT_EQ(Text(IDC_LEFT_RIGHT_RATIO), L"0");
    EXPECT_FALSE(Shown(IDC_TEST_PRINT_1));
}
#endif

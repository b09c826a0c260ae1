// The Image correction page made from its real template and worked with real messages, and the
// tone curve drawn into a DIB section.
#ifdef _WIN32
#include "pages/correction/correction_page.h"

#include "entry/ui_context.h"
#include "pages/correction/tone_curve.h"
#include "resources/resource.h"
#include "settings/wide_strings.h"
#include "tests/pages/correction/correction_driver.h"
#include "tests/support/seam_override.h"
#include "tests/support/test_printer.h"
#include "ui/dialog_host.h"

#include <gtest/gtest.h>

namespace {

class CorrectionPage : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(ui_ = FillUiData(printer_.handle(), nullptr), nullptr); }
    void TearDown() override {
        DestroyWindow(GetParent(page_));
        ReleaseUiData(ui_);
    }
    void Open() { ASSERT_NE(page_ = OpenPage(IDD_CORRECTION_PAGE, OutputDlgProc, ui_), nullptr); }

    PrinterSettings& Record() { return ui_->devmode.ps; }
    std::wstring Text(int id) { return TextOf(page_, id); }
    int Bar(int id) { return GetScrollPos(GetDlgItem(page_, id), SB_CTL); }
    LRESULT Selection(int id) { return SendDlgItemMessageW(page_, id, CB_GETCURSEL, 0, 0); }
    std::wstring Item(int id, LRESULT index) {
        wchar_t text[64] = {};
        SendDlgItemMessageW(page_, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void Click(int id) { SendDlgItemMessageW(page_, id, BM_CLICK, 0, 0); }
    void Scroll(UINT message, int bar, int code, int thumb = 0) {
        SendMessageW(page_, message, MAKEWPARAM(code, thumb),
                     reinterpret_cast<LPARAM>(GetDlgItem(page_, bar)));
    }
    bool Shown(int id) { return GetWindowLongW(GetDlgItem(page_, id), GWL_STYLE) & WS_VISIBLE; }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(page_, id)); }

    TestPrinter printer_{L"Velmar VORIKA KLV-20"};
    UiData* ui_ = nullptr;
    HWND page_ = nullptr;
};

} // namespace

TEST_F(CorrectionPage, FieldsAreHeldWhenLeftAndBarsStepThem) {
    Open();
    TypeInto(page_, IDC_BRIGHTNESS_EDIT, L"8x0"); // the letter is dropped while typed
    EXPECT_EQ(Text(IDC_BRIGHTNESS_EDIT), L"80");
    TypeInto(page_, IDC_GAMMA_EDIT, L"0.05"); // leaves brightness
    EXPECT_EQ(Record().Brightness, 50);
    EXPECT_EQ(Bar(IDC_BRIGHTNESS_BAR), 50);
    TypeInto(page_, IDC_LOWCUT_PRE_EDIT, L"300"); // leaves gamma
    EXPECT_EQ(Record().Gamma, -900);
    EXPECT_EQ(Text(IDC_GAMMA_EDIT), L"0.10");
    SetFocus(GetDlgItem(page_, IDC_GAMMA_BAR)); // a bar does nothing when focused
    EXPECT_EQ(Record().LowCutPre, 255);

    Scroll(WM_HSCROLL, IDC_GAMMA_BAR, SB_THUMBTRACK, static_cast<WORD>(-505));
    EXPECT_EQ(Record().Gamma, -505);
    EXPECT_EQ(Text(IDC_GAMMA_EDIT), L"0.49");
    SetDlgItemTextW(page_, IDC_CONTRAST_EDIT, L"-50"); // a bar steps what its field holds
    Scroll(WM_HSCROLL, IDC_CONTRAST_BAR, SB_PAGERIGHT);
    EXPECT_EQ(Text(IDC_CONTRAST_EDIT), L"-40");
    EXPECT_EQ(GetFocus(), GetDlgItem(page_, IDC_CONTRAST_EDIT));
    SetDlgItemTextW(page_, IDC_LOWCUT_POST_EDIT, L"3");
    Scroll(WM_VSCROLL, IDC_LOWCUT_POST_SPIN, SB_LINEDOWN);
    EXPECT_EQ(Text(IDC_LOWCUT_POST_EDIT), L"0");
}

TEST_F(CorrectionPage, TextAndPhotoSwitchTheirSettingsAndListsAndBoxesStore) {
    Open();
    ASSERT_EQ(Record().ImpactPattern, 1);
    Click(IDC_TYPE_TEXT);
    EXPECT_EQ(Record().FrameDpiIdx, 5);
    EXPECT_FALSE(IsDlgButtonChecked(page_, IDC_LOWCUT) || Enabled(IDC_LOWCUT_PRE_EDIT));
    EXPECT_EQ(Item(IDC_MATERIAL_LIST, 4), L"Set-A");
    Click(IDC_TYPE_PHOTO);
    EXPECT_EQ(Item(IDC_DRAFTING_LIST, Selection(IDC_DRAFTING_LIST)), L"Diagonal");
    EXPECT_TRUE(IsDlgButtonChecked(page_, IDC_LOWCUT) && Enabled(IDC_LOWCUT_POST_SPIN));
    EXPECT_EQ(Item(IDC_MATERIAL_LIST, 4), L"Set-a");

    Click(IDC_LOWCUT);
    EXPECT_EQ(Record().LowCut, 0);
    EXPECT_FALSE(Enabled(IDC_LOWCUT_POST_EDIT));
    SendDlgItemMessageW(page_, IDC_DITHER_LIST, CB_SETCURSEL, 2, 0);
    SendMessageW(page_, WM_COMMAND, MAKEWPARAM(IDC_DITHER_LIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page_, IDC_DITHER_LIST)));
    EXPECT_EQ(Record().DitherPat, 2);
    Record().Gamma = 700;
    Click(IDC_SET_STANDARD);
    EXPECT_EQ(Text(IDC_GAMMA_EDIT), L"0.50");
}

TEST_F(CorrectionPage, ShownAgainItReloadsWhatOthersChangedInTheUsersLanguage) {
    SeamOverride country(
        g_dialogHost.GetProfileIntW, +[](LPCWSTR, LPCWSTR, INT) -> UINT { return kCountryJapan; });
    CopyStringW(Record().TextSet.Entry[5].Name, L"Mine", 32);
    Open(); // fills the unnamed presets
    EXPECT_EQ(Item(IDC_COLORS_LIST, 5), L"ハイブリッド");
    Record().Brightness = 20;
    Record().Material = 12;
    Record().PassMethod = -1;
    Record().ImpactPattern = 0;
    ShowWindow(page_, SW_HIDE);
    ShowWindow(page_, SW_SHOW);
    EXPECT_EQ(Text(IDC_BRIGHTNESS_EDIT), L"20");
    EXPECT_EQ(Record().Material, 0);
    EXPECT_EQ(Selection(IDC_MATERIAL_LIST), 0);
    EXPECT_EQ(Selection(IDC_COLORS_LIST), CB_ERR);
    EXPECT_EQ(IsDlgButtonChecked(page_, IDC_TYPE_TEXT), BST_CHECKED);
    EXPECT_EQ(Item(IDC_MATERIAL_LIST, 1), L"真鍮");
    EXPECT_EQ(Item(IDC_MATERIAL_LIST, 5), L"Mine");
}

TEST_F(CorrectionPage, TheServiceChordRevealsTheServiceControlsAndDetailsRefreshTheList) {
    Open();
    static SHORT held = 0;
    SeamOverride keys(
        g_dialogHost.GetAsyncKeyState, +[](int) -> SHORT { return held; });
    SendMessageW(page_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(Shown(IDC_NEGATIVE));
    held = static_cast<SHORT>(0x8000);
    SendMessageW(page_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(Shown(IDC_COLORS_LIST) && Shown(IDC_NEGATIVE) && Shown(IDC_LOWCUT_POST_SPIN));
    SendMessageW(page_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(16, 5));
    EXPECT_FALSE(Shown(IDC_DRAFTING_LABEL));

    ScriptNextDialog([](HWND dialog) {
        SendMessageW(dialog, WM_VSCROLL, SB_LINEDOWN,
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_PRESET_SCROLL)));
        SendDlgItemMessageW(dialog, IDC_DETAILS_OK, BM_CLICK, 0, 0);
    });
    const LRESULT before = Selection(IDC_MATERIAL_LIST);
    Click(IDC_DETAILS);
    EXPECT_EQ(Selection(IDC_MATERIAL_LIST), before + 1);
    NMHDR apply{page_, 0, static_cast<UINT>(PSN_APPLY)};
    EXPECT_EQ(SendMessageW(page_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&apply)), FALSE);
    EXPECT_EQ(ui_->bApplied, 1u);
}

TEST(ToneCurveDrawing, FrameGridReferenceAndCurveOnPixels) {
    PrinterSettings ps; // b 0, c 0, gamma 0.50, low cut on at 40 / 0
    SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
    HWND page = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                                nullptr, nullptr);
    // An area 100 wide and 120 high at (10, 10): the graph is the square of side 100.
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 10, 10, 101, 121, page,
                    reinterpret_cast<HMENU>(IDC_TONE_CURVE), nullptr, nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -200, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits),
                                   nullptr, 0);
    std::fill(bits, bits + 200 * 200, 0x123456u);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previousBitmap = SelectObject(dc, dib);
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    DrawGraph(page, dc, &ps);
    GdiFlush();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    const auto pixel = [&](int x, int y) { return bits[y * 200 + x] & 0xFFFFFFu; };
    EXPECT_EQ(pixel(10, 10), 0u);         // frame
    EXPECT_EQ(pixel(109, 50), 0u);        // its right edge, at x0 + S - 1
    EXPECT_EQ(pixel(110, 50), 0x123456u); // nothing beyond the square
    EXPECT_EQ(pixel(12, 12), 0xFFFFFFu);  // white ground
    EXPECT_EQ(pixel(20, 35), 0xC0C0C0u);  // grid row at S / 4
    EXPECT_EQ(pixel(40, 79), 0xC0C0C0u);  // reference line at (30, 30)
    EXPECT_EQ(pixel(85, 53), 0x0000FFu);  // curve at (75, 56)
    EXPECT_EQ(pixel(20, 109), 0x0000FFu); // (10, 1) drawn on the bottom row by the low cut
    EXPECT_EQ(pixel(20, 108), 0xFFFFFFu);
    SelectObject(dc, previousBitmap);
    DeleteDC(dc);
    DeleteObject(dib);
    DestroyWindow(page);
}
#endif

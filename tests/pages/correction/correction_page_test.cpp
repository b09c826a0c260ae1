// The Image correction page made from its real template and worked with real messages, and the
// tone curve drawn into a DIB section. The rules' detail is pinned in the model's tests.
#ifdef _WIN32
#include "pages/correction/correction_page.h"

#include "pages/correction/tone_curve.h"
#include "resources/resource.h"
#include "settings/wide_strings.h"
#include "tests/support/page_driver.h"
#include "tests/support/seam_override.h"
#include "ui/dialog_host.h"

namespace {

class CorrectionPage : public PageTest {
  protected:
    LRESULT Selection(int id) { return SendDlgItemMessageW(page_, id, CB_GETCURSEL, 0, 0); }
    std::wstring Entry(int id, LRESULT index) {
        wchar_t text[64] = {};
        SendDlgItemMessageW(page_, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return text;
    }
};

} // namespace

TEST_F(CorrectionPage, FieldsAreHeldWhenLeftAndBarsStepThem) {
    Open(IDD_CORRECTION_PAGE, OutputDlgProc);
    TypeInto(page_, IDC_BRIGHTNESS_EDIT, L"8x0"); // the letter is dropped while typed
    EXPECT_EQ(Text(IDC_BRIGHTNESS_EDIT), L"80");
    TypeInto(page_, IDC_GAMMA_EDIT, L"0.05"); // leaves brightness, held to 50
    EXPECT_EQ(Record().Brightness, 50);
    EXPECT_EQ(GetScrollPos(GetDlgItem(page_, IDC_BRIGHTNESS_BAR), SB_CTL), 50);
    SetFocus(GetDlgItem(page_, IDC_GAMMA_BAR)); // a bar does nothing when focused
    EXPECT_EQ(Text(IDC_GAMMA_EDIT), L"0.10");
    Scroll(page_, WM_HSCROLL, IDC_GAMMA_BAR, SB_THUMBTRACK, static_cast<WORD>(-505));
    EXPECT_EQ(Record().Gamma, -505);
    EXPECT_EQ(Text(IDC_GAMMA_EDIT), L"0.49");
    SetDlgItemTextW(page_, IDC_CONTRAST_EDIT, L"-50"); // a bar steps what its field holds
    Scroll(page_, WM_HSCROLL, IDC_CONTRAST_BAR, SB_PAGERIGHT);
    EXPECT_EQ(Text(IDC_CONTRAST_EDIT), L"-40");
    SetDlgItemTextW(page_, IDC_LOWCUT_POST_EDIT, L"3");
    Scroll(page_, WM_VSCROLL, IDC_LOWCUT_POST_SPIN, SB_LINEDOWN);
    EXPECT_EQ(Record().LowCutPost, 0);
}

TEST_F(CorrectionPage, TypesListsAndBoxesStoreAndAPageShownAgainReloadsInTheUsersLanguage) {
    SeamOverride country(
        g_dialogHost.GetProfileIntW, +[](LPCWSTR, LPCWSTR, INT) -> UINT { return kCountryJapan; });
    CopyStringW(Record().TextSet.Entry[5].Name, L"Mine", 32);
    Open(IDD_CORRECTION_PAGE, OutputDlgProc); // fills the unnamed presets
    Click(page_, IDC_TYPE_TEXT);
    EXPECT_EQ(Record().FrameDpiIdx, 5);
    EXPECT_FALSE(IsDlgButtonChecked(page_, IDC_LOWCUT) ||
                 IsWindowEnabled(GetDlgItem(page_, IDC_LOWCUT_PRE_EDIT)));
    EXPECT_EQ(Entry(IDC_MATERIAL_LIST, 1) + Entry(IDC_MATERIAL_LIST, 5), L"真鍮Mine");
    Click(page_, IDC_TYPE_PHOTO);
    EXPECT_EQ(Selection(IDC_DRAFTING_LIST), 3);
    EXPECT_NE(Entry(IDC_MATERIAL_LIST, 5), L"Mine"); // the photo set's
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page_, IDC_LOWCUT_POST_SPIN)));
    SendDlgItemMessageW(page_, IDC_DITHER_LIST, CB_SETCURSEL, 2, 0);
    SendMessageW(page_, WM_COMMAND, MAKEWPARAM(IDC_DITHER_LIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page_, IDC_DITHER_LIST)));
    EXPECT_EQ(Record().DitherPat, 2);

    Record().Gamma = 700; // changed elsewhere, shown with the page
    Record().Material = 12;
    Record().PassMethod = -1;
    ShowWindow(page_, SW_HIDE);
    ShowWindow(page_, SW_SHOW);
    EXPECT_EQ(Text(IDC_GAMMA_EDIT), L"8.00");
    EXPECT_EQ(Record().Material, 0);
    EXPECT_EQ(Selection(IDC_MATERIAL_LIST), 0);
    EXPECT_EQ(Selection(IDC_COLORS_LIST), CB_ERR);
    EXPECT_EQ(Entry(IDC_COLORS_LIST, 5), L"ハイブリッド");
    Click(page_, IDC_SET_STANDARD);
    EXPECT_EQ(Text(IDC_GAMMA_EDIT), L"0.50");
}

TEST_F(CorrectionPage, TheServiceChordRevealsTheServiceControlsAndDetailsRefreshTheList) {
    Open(IDD_CORRECTION_PAGE, OutputDlgProc);
    DoubleClick(page_, 5, 5, false);
    EXPECT_FALSE(Shown(page_, IDC_NEGATIVE));
    DoubleClick(page_, 5, 5, true);
    EXPECT_TRUE(Shown(page_, IDC_COLORS_LIST) && Shown(page_, IDC_NEGATIVE));
    DoubleClick(page_, 16, 5, true);
    EXPECT_FALSE(Shown(page_, IDC_DRAFTING_LABEL));

    ScriptNextDialog([](HWND dialog) {
        Scroll(dialog, WM_VSCROLL, IDC_PRESET_SCROLL, SB_LINEDOWN);
        Click(dialog, IDC_DETAILS_OK);
    });
    const LRESULT before = Selection(IDC_MATERIAL_LIST);
    Click(page_, IDC_DETAILS);
    EXPECT_EQ(Selection(IDC_MATERIAL_LIST), before + 1);
    EXPECT_EQ(Apply(), FALSE);
    EXPECT_EQ(ui_->bApplied, 1u);
}

TEST(ToneCurveDrawing, FrameGridReferenceAndCurveOnPixels) {
    PrinterSettings ps; // b 0, c 0, gamma 0.50, low cut on at 40 / 0
    SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
    // An area 100 wide and 120 high at (10, 10): the graph is the square of side 100.
    DrawingSurface surface(IDC_TONE_CURVE, {10, 10, 111, 131}, 0x123456);
    const HGDIOBJ pen = GetCurrentObject(surface.dc, OBJ_PEN);
    DrawGraph(surface.page, surface.dc, &ps);
    EXPECT_EQ(GetCurrentObject(surface.dc, OBJ_PEN), pen);
    const DWORD pixels[][3] = {
        {10, 10, 0},         {109, 50, 0},        // the frame, its right edge at x0 + S - 1
        {110, 50, 0x123456}, {12, 12, 0xFFFFFF},  // nothing beyond the square; white ground
        {20, 35, 0xC0C0C0},  {40, 79, 0xC0C0C0},  // the grid row at S / 4; the reference line
        {85, 53, 0x0000FF},                       // the curve at (75, 56)
        {20, 109, 0x0000FF}, {20, 108, 0xFFFFFF}, // (10, 1) on the bottom row by the low cut
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(surface.Pixel(p[0], p[1]), p[2]) << p[0] << "," << p[1];
    }
}
#endif

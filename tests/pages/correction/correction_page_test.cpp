// The Image correction page made from its real template and worked with real messages, and the
// tone curve drawn into a DIB section. The rules' detail is pinned in the model's tests.
#ifdef _WIN32
#include "pages/correction/correction_page.h"

#include "pages/correction/tone_curve.h"
#include "resources/resource.h"
#include "tests/support/page_driver.h"

using CorrectionPage = PageTest;

TEST_F(CorrectionPage, WorkedAsAUserWorksIt) {
    Record().Material = 4; // the first preset a user may edit
    Open(IDD_CORRECTION_PAGE, OutputDlgProc);
    TypeInto(page_, IDC_BRIGHTNESS_EDIT, L"80");
    SetFocus(GetDlgItem(page_, IDC_GAMMA_BAR)); // leaves the edit, held to 50
    EXPECT_EQ(Record().Brightness, 50);
    EXPECT_EQ(Text(IDC_BRIGHTNESS_EDIT), L"50");
    Scroll(page_, WM_HSCROLL, IDC_CONTRAST_BAR, SB_PAGERIGHT);
    EXPECT_EQ(Text(IDC_CONTRAST_EDIT), L"10");
    EXPECT_EQ(Record().Contrast, 10);
    Click(page_, IDC_TYPE_TEXT);
    EXPECT_EQ(Record().FrameDpiIdx, 5);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page_, IDC_LOWCUT_PRE_EDIT)));

    // The details dialog: a name typed into the active preset is stored on OK only.
    const std::wstring preset = Record().TextSet.Entry[4].Name;
    for (const int button : {IDC_DETAILS_CANCEL, IDC_DETAILS_OK}) {
        ScriptNextDialog([button](HWND dialog) {
            TypeInto(dialog, IDC_NAME_EDIT, L"Mine");
            Click(dialog, button); // takes the focus from the name first
        });
        Click(page_, IDC_DETAILS);
        EXPECT_EQ(Record().TextSet.Entry[4].Name, button == IDC_DETAILS_OK ? L"Mine" : preset);
    }
}

// Shown again, the page fills its controls only when the record changed since it last filled
// them: a check set behind the page's back stays until another page changes the record.
TEST_F(CorrectionPage, ShownAgainShowsWhatChangedTheRecord) {
    Open(IDD_CORRECTION_PAGE, OutputDlgProc);
    CheckDlgButton(page_, IDC_MIRROR, BST_CHECKED);
    for (const SHORT brightness : {Record().Brightness, SHORT(33)}) {
        Record().Brightness = brightness;
        ShowWindow(page_, SW_HIDE);
        ShowWindow(page_, SW_SHOW);
        EXPECT_EQ(Text(IDC_BRIGHTNESS_EDIT), std::to_wstring(brightness));
        EXPECT_EQ(IsDlgButtonChecked(page_, IDC_MIRROR), brightness == 33 ? 0u : 1u);
    }
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
        {109, 50, 0},       {110, 50, 0x123456}, // the frame's right edge at x0 + S - 1
        {20, 35, 0xC0C0C0}, {40, 79, 0xC0C0C0},  // the grid row at S / 4; the reference line
        {85, 53, 0x0000FF}, {20, 109, 0x0000FF}, // the curve at (75, 56); (10, 1) cut to 0
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(surface.Pixel(p[0], p[1]), p[2]) << p[0] << "," << p[1];
    }
}
#endif

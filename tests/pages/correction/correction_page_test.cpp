// The Image correction page made from its real template and worked with real messages, and the
// tone curve drawn into a DIB section. The rules' detail is pinned in the model's tests.
#ifdef _WIN32
#include "pages/correction/correction_page.h"

#include "pages/correction/tone_curve.h"
#include "resources/resource.h"
#include "tests/support/page_driver.h"
#include "tests/support/seam_override.h"
#include "ui/dialog_host.h"
#include "ui/page_common.h"

#include <prsht.h>

#include <string>
#include <tuple>
#include <vector>

using namespace std::string_literals;
using CorrectionPage = PageTest;

namespace {
LANGID WINAPI Japanese() {
    return 1041;
}
} // namespace

// Worked as a user works it; help asked in Japanese answers with the module's Japanese string.
// (The details dialog's help table is pinned with the other tables.)
TEST_F(CorrectionPage, WorkedAsAUserWorksIt) {
    SeamOverride<decltype(g_dialogHost.GetUserDefaultLangID)> language(
        g_dialogHost.GetUserDefaultLangID, Japanese);
    Record().Material = 4; // the first preset a user may edit
    Open(IDD_CORRECTION_PAGE, OutputDlgProc);
    TypeInto(page_, IDC_BRIGHTNESS_EDIT, L"80");
    SetFocus(GetDlgItem(page_, IDC_GAMMA_BAR)); // leaves the edit, held to 50
    Scroll(page_, WM_HSCROLL, IDC_CONTRAST_BAR, SB_PAGERIGHT);
    EXPECT_EQ(std::tuple(Text(IDC_BRIGHTNESS_EDIT), Record().Brightness, Text(IDC_CONTRAST_EDIT),
                         Record().Contrast),
              std::tuple(L"50"s, 50, L"10"s, 10));
    Click(page_, IDC_TYPE_TEXT);
    EXPECT_EQ(Record().FrameDpiIdx, 5);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page_, IDC_LOWCUT_PRE_EDIT)));
    EXPECT_EQ(AskHelp(page_, IDC_GAMMA_EDIT, WM_CONTEXTMENU),
              L"画像のガンマ補正値を設定します。初期値は 0.5 です。");

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

// A page record whose parameter is no UI context (none, or a pointer to something else) leaves
// the page without one: nothing touches it, whatever the page is sent.
TEST_F(PageTest, PageGivenNoContextStaysEmpty) {
    std::vector<BYTE> notAContext(sizeof(UiData), 0xCD);
    for (const LPARAM param : {LPARAM{0}, LPARAM(notAContext.data())}) {
        OpenWith(IDD_CORRECTION_PAGE, OutputDlgProc, param);
        EXPECT_EQ(PageUiData(page_), nullptr);
        NMHDR apply{GetParent(page_), 0, static_cast<UINT>(PSN_APPLY)};
        SendMessageW(page_, WM_NOTIFY, 0, LPARAM(&apply));
        SendMessageW(page_, WM_SHOWWINDOW, TRUE, 0);
        Click(page_, IDC_SET_STANDARD);
        RedrawWindow(page_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        DestroyWindow(GetParent(page_));
    }
    EXPECT_EQ(notAContext, std::vector<BYTE>(sizeof(UiData), 0xCD));
}

// On an area 100 wide and 120 high at (10, 10), the graph is the square of side 100: the frame's
// right edge at x0 + S - 1, the grid row at S / 4, the reference line, the curve at (75, 56) and
// at (10, 1) cut to 0; the pen is given back.
TEST(ToneCurveDrawing, FrameGridReferenceAndCurveOnPixels) {
    PrinterSettings ps; // b 0, c 0, gamma 0.50, low cut on at 40 / 0
    SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
    const auto draw = [&ps](HWND page, HDC dc) {
        const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
        DrawGraph(page, dc, &ps);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    };
    EXPECT_EQ(DrawnColours(IDC_TONE_CURVE, {10, 10, 111, 131}, 0x123456, draw,
                           {{109, 50}, {110, 50}, {20, 35}, {40, 79}, {85, 53}, {20, 109}}),
              (std::vector<DWORD>{0, 0x123456, 0xC0C0C0, 0xC0C0C0, 0x0000FF, 0x0000FF}));
}
#endif

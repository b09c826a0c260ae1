// The Slope correction page under Wine, worked as a user works it: created from the built DLL's
// template, with real focus changes, typing, spin bars, clicks, and the service chord held through
// the input queue. The rules' detail is pinned in the model's tests.
#ifdef _WIN32
#include "pages/slope/slope_page.h"

#include "resources/resource.h"
#include "tests/support/page_driver.h"

using SlopePage = PageTest;

TEST_F(SlopePage, WorkedAsAUserWorksIt) {
    // The test prints go to the printer that the context's DEVMODE names.
    lstrcpynW(ui_->devmode.dm.dmDeviceName, printer_.name(), CCHDEVICENAME);
    Open(IDD_SLOPE_PAGE, SlopeDlgProc);
    // The check box enables exactly the edits and their spin bars.
    for (bool on : {true, false}) {
        Click(page_, IDC_CORRECT_SLOPE);
        EXPECT_EQ(Record().CorrectSlope, on ? 1 : 0);
        for (int id = IDC_BACK_LABEL; id <= IDC_TEST_PRINT; ++id) {
            const bool reading = id >= IDC_BACK_EDIT && id <= IDC_LEFT_SPIN;
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(page_, id)) != FALSE, on || !reading) << id;
        }
    }
    Click(page_, IDC_CORRECT_SLOPE);
    TypeInto(page_, IDC_FRONT_EDIT, L"300");
    SetFocus(
        GetDlgItem(page_, IDC_BACK_SPIN)); // leaving the edit for a control that reacts to nothing
    EXPECT_EQ(Record().Front, 25);
    EXPECT_EQ(Text(IDC_FRONT_EDIT), L"25");
    EXPECT_EQ(Text(IDC_FRONT_BACK_RATIO), L"171");
    Scroll(page_, WM_VSCROLL, IDC_RIGHT_SPIN, SB_LINEUP); // the right spin bar has the lower ID
    EXPECT_EQ(GetFocus(), GetDlgItem(page_, IDC_RIGHT_EDIT));
    EXPECT_EQ(Record().Right, 11);
    EXPECT_EQ(Text(IDC_LEFT_RIGHT_RATIO), L"19");

    // The chord reveals the service controls, whose test print ignores the check box.
    Click(page_, IDC_CORRECT_SLOPE);
    DoubleClick(page_, 15, 15, true);
    EXPECT_TRUE(Shown(page_, IDC_LEFT_RIGHT_RATIO) && Shown(page_, IDC_TEST_PRINT_0));
    Click(page_, IDC_TEST_PRINT_1);
    EXPECT_EQ(printer_.Output(), "@PJL DO TESTPRINT=1\n");
    DoubleClick(page_, 15, 15, false);
    EXPECT_FALSE(Shown(page_, IDC_LEFT_RIGHT_RATIO) || Shown(page_, IDC_TEST_PRINT_0));
    Apply();
    EXPECT_EQ(ui_->bApplied, 1u);
}
#endif

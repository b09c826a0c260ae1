// The Slope correction page under Wine, worked as a user works it: created from the built DLL's
// template, with real focus changes, typing, spin bars and the service chord held through the
// input queue. The rules' detail is pinned in the model's tests.
#ifdef _WIN32
#include "pages/slope/slope_page.h"

#include "resources/resource.h"
#include "tests/support/page_driver.h"

using SlopePage = PageTest;

TEST_F(SlopePage, WorkedAsAUserWorksIt) {
    Open(IDD_SLOPE_PAGE, SlopeDlgProc);
    Click(page_, IDC_CORRECT_SLOPE);
    TypeInto(page_, IDC_FRONT_EDIT, L"300");
    SetFocus(
        GetDlgItem(page_, IDC_BACK_SPIN)); // leaves the edit for a control that reacts to nothing
    EXPECT_EQ(Record().Front, 25);
    EXPECT_EQ(Text(IDC_FRONT_BACK_RATIO), L"171");
    Scroll(page_, WM_VSCROLL, IDC_RIGHT_SPIN, SB_LINEUP);
    EXPECT_EQ(Record().Right, 11);
    EXPECT_EQ(Text(IDC_LEFT_RIGHT_RATIO), L"19");

    // The chord reveals the service controls in the corner only.
    DoubleClick(page_, 15, 15, true);
    EXPECT_TRUE(Shown(page_, IDC_TEST_PRINT_0));
    DoubleClick(page_, 15, 15, false);
    EXPECT_FALSE(Shown(page_, IDC_TEST_PRINT_0));
}
#endif

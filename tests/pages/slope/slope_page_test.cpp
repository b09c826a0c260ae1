// The Slope correction page under Wine, worked as a user works it: created from the built DLL's
// template, with real focus changes, typing and spin bars. The rules' detail is pinned in the
// model's tests.
#ifdef _WIN32
#include "pages/slope/slope_page.h"

#include "resources/resource.h"
#include "tests/support/page_driver.h"

#include <string>
#include <tuple>

using namespace std::string_literals;

using SlopePage = PageTest;

TEST_F(SlopePage, WorkedAsAUserWorksIt) {
    Open(IDD_SLOPE_PAGE, SlopeDlgProc);
    Click(page_, IDC_CORRECT_SLOPE);
    TypeInto(page_, IDC_FRONT_EDIT, L"300");
    // Leaves the edit for a control that reacts to nothing.
    SetFocus(GetDlgItem(page_, IDC_BACK_SPIN));
    Scroll(page_, WM_VSCROLL, IDC_RIGHT_SPIN, SB_LINEUP);
    EXPECT_EQ(std::tuple(Record().Front, Text(IDC_FRONT_BACK_RATIO), Record().Right,
                         Text(IDC_LEFT_RIGHT_RATIO)),
              std::tuple(25, L"171"s, 11, L"19"s));
}
#endif

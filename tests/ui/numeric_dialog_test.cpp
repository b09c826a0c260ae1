// The numeric field operations on real controls: typed-text filtering with the caret and control
// areas in page coordinates. (Fields read and written through their text: the pages' tests.)
#include "ui/numeric_dialog.h"

#include <gtest/gtest.h>

#include <vector>

TEST(NumericFieldControls, FilterAreaAndText) {
    // A window standing in for a page: an edit field 200 and a 70 x 70 area 101 at (100, 50).
    HWND page = CreateWindowExW(0, L"STATIC", L"page", WS_POPUP, 10, 10, 400, 300, nullptr, nullptr,
                                nullptr, nullptr);
    CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 80, 20, page,
                    HMENU(200), nullptr, nullptr);
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 100, 50, 70, 70, page, HMENU(101),
                    nullptr, nullptr);
    // A filtered character takes the caret one place left with it.
    SetDlgItemTextW(page, 200, L"1a2");
    SendDlgItemMessageW(page, 200, EM_SETSEL, 2, 2);
    EXPECT_FALSE(checkDigit(page, 200));
    wchar_t text[64] = {};
    GetDlgItemTextW(page, 200, text, 64);
    EXPECT_STREQ(text, L"12");
    EXPECT_EQ(SendDlgItemMessageW(page, 200, EM_GETSEL, 0, 0), MAKELONG(1, 1));
    SetDlgItemTextW(page, 200, L"-1-2");
    EXPECT_TRUE(checkDigit(page, 200));

    RECT r;
    POINT a, b;
    EXPECT_TRUE(getDlgCtrlRect(page, 101, &r, &a, &b));
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom, a.x, a.y, b.x, b.y}),
              (std::vector<LONG>{0, 0, 70, 70, 100, 50, 169, 119}));

    DestroyWindow(page);
}

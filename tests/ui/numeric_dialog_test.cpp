// The numeric field operations on real controls: typed-text filtering with the caret, control
// areas in dialog coordinates, and reading and writing fields.
#ifdef _WIN32
#include "ui/numeric_field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kEdit = 200;
constexpr int kArea = 101;

// A window standing in for a page: an edit field and a 70 x 70 area at (100, 50) of its client.
class FieldPage : public ::testing::Test {
  protected:
    void SetUp() override {
        page_ = CreateWindowExW(0, L"STATIC", L"page", WS_POPUP, 10, 10, 400, 300, nullptr, nullptr,
                                nullptr, nullptr);
        ASSERT_NE(page_, nullptr);
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 80, 20,
                        page_, reinterpret_cast<HMENU>(kEdit), nullptr, nullptr);
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 100, 50, 70, 70, page_,
                        reinterpret_cast<HMENU>(kArea), nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(page_); }

    void Type(const wchar_t* text, int caret) {
        SetDlgItemTextW(page_, kEdit, text);
        SendDlgItemMessageW(page_, kEdit, EM_SETSEL, caret, caret);
    }
    std::wstring Text() {
        wchar_t text[64] = {};
        GetDlgItemTextW(page_, kEdit, text, 64);
        return text;
    }
    DWORD Selection() {
        return static_cast<DWORD>(SendDlgItemMessageW(page_, kEdit, EM_GETSEL, 0, 0));
    }

    HWND page_ = nullptr;
};

} // namespace

TEST_F(FieldPage, FilteringMovesTheCaretOneLeft) {
    Type(L"1a2", 2);
    EXPECT_FALSE(checkDigit(page_, kEdit));
    EXPECT_EQ(Text(), L"12");
    EXPECT_EQ(Selection(), MAKELONG(1, 1));

    Type(L"-1-2", 4);
    EXPECT_TRUE(checkDigit(page_, kEdit));
    EXPECT_EQ(Text(), L"-1-2");
    EXPECT_EQ(Selection(), MAKELONG(4, 4));
}

TEST_F(FieldPage, ControlAreaInPageCoordinatesWithTheLastPixelInside) {
    RECT rect;
    POINT topLeft;
    POINT bottomRight;
    EXPECT_TRUE(getDlgCtrlRect(page_, kArea, &rect, &topLeft, &bottomRight));
    EXPECT_EQ((std::vector<LONG>{rect.left, rect.top, rect.right, rect.bottom, topLeft.x, topLeft.y,
                                 bottomRight.x, bottomRight.y}),
              (std::vector<LONG>{0, 0, 70, 70, 100, 50, 169, 119}));
}

TEST_F(FieldPage, FieldsAreReadAndWrittenThroughTheirText) {
    EXPECT_TRUE(ShowUserUnit(page_, kEdit, TRUE, 500));
    EXPECT_EQ(Text(), L"1.97");
    EXPECT_EQ(GetUserUnit(page_, kEdit, TRUE, 500, 51), 500);
    EXPECT_TRUE(ShowUserUnit(page_, kEdit, FALSE, -5));
    EXPECT_EQ(Text(), L"-0.5");
    Type(L"12.35", 0);
    EXPECT_EQ(GetUserUnit(page_, kEdit, FALSE, 500, 51), 124);
    EXPECT_TRUE(ShowLong(page_, kEdit, 25));
    EXPECT_EQ(Text(), L"25");
    // Only the first nine characters are read.
    Type(L"1234567891", 0);
    EXPECT_EQ(GetLong(page_, kEdit, 2000000000, 1), 123456789);
}
#endif

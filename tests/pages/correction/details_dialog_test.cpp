// The material details dialog worked as a user works it, from its real template.
#ifdef _WIN32
#include "pages/correction/details_dialog.h"

#include "resources/resource.h"
#include "tests/pages/correction/correction_driver.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class DetailsDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        ui_ = FillUiData(printer_.handle(), nullptr);
        ASSERT_NE(ui_, nullptr);
        FillUnnamedPresets(&ui_->devmode.ps, 1);
    }
    void TearDown() override { ReleaseUiData(ui_); }

    PrinterSettings& Record() { return ui_->devmode.ps; }

    TestPrinter printer_{L"Velmar VORIKA KLV-20"};
    UiData* ui_ = nullptr;
};

void Scroll(HWND dialog, int code, int times) {
    for (int i = 0; i < times; ++i) {
        SendMessageW(dialog, WM_VSCROLL, static_cast<WPARAM>(code),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_PRESET_SCROLL)));
    }
}

bool Enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id));
}

} // namespace

TEST_F(DetailsDialog, BrowsesPresetsEditsUserOnesAndStoresThemOnOk) {
    Record().ImpactPattern = 0;
    Record().Material = 2;
    const MaterialSet photoBefore = Record().PhotoSet;
    const INT_PTR result = RunDetails(ui_, [](HWND dialog) {
        EXPECT_EQ(TextOf(dialog, IDC_NAME_EDIT), L"Stainless steel");
        EXPECT_FALSE(Enabled(dialog, IDC_NAME_EDIT));
        EXPECT_FALSE(Enabled(dialog, IDC_IMPACT_MIN_EDIT));
        Scroll(dialog, SB_LINEUP, 3);
        EXPECT_EQ(TextOf(dialog, IDC_NAME_EDIT), L"Aluminium");
        Scroll(dialog, SB_LINEDOWN, 4);
        EXPECT_EQ(TextOf(dialog, IDC_NAME_EDIT), L"Set-A");
        EXPECT_TRUE(Enabled(dialog, IDC_NAME_EDIT));
        EXPECT_TRUE(Enabled(dialog, IDC_SPEED_EDIT));
        Scroll(dialog, SB_PAGEDOWN, 1); // only line steps browse
        EXPECT_EQ(TextOf(dialog, IDC_NAME_EDIT), L"Set-A");
        Scroll(dialog, SB_LINEDOWN, 6);
        EXPECT_EQ(TextOf(dialog, IDC_NAME_EDIT), L"Set-E");

        TypeInto(dialog, IDC_IMPACT_MIN_EDIT, L"1500");
        LeaveField(dialog, IDC_PRESET_SCROLL);
        EXPECT_EQ(TextOf(dialog, IDC_IMPACT_MIN_EDIT), L"1100");
        TypeInto(dialog, IDC_SPEED_EDIT, L"2x5"); // the letter is filtered while typed
        EXPECT_EQ(TextOf(dialog, IDC_SPEED_EDIT), L"25");
        TypeInto(dialog, IDC_IMPACT_MAX_EDIT, L"50");
        // Browsing takes in what the fields hold; the field still focused is held on leaving.
        Scroll(dialog, SB_LINEUP, 1);
        Scroll(dialog, SB_LINEDOWN, 1);
        EXPECT_EQ(TextOf(dialog, IDC_SPEED_EDIT), L"18");
        EXPECT_EQ(TextOf(dialog, IDC_IMPACT_MAX_EDIT), L"100");
        TypeInto(dialog, IDC_NAME_EDIT, L"\b");
        // Pressing OK takes the focus from the name first, which empties it.
        SendDlgItemMessageW(dialog, IDC_DETAILS_OK, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDC_DETAILS_OK);
    EXPECT_EQ(ui_->pDetailsWork, nullptr);
    const MaterialEntry& last = Record().TextSet.Entry[8];
    EXPECT_EQ(std::wstring(last.Name), L"---");
    EXPECT_EQ(last.ImpactMin, 1100);
    EXPECT_EQ(last.ImpactMax, 100);
    EXPECT_EQ(last.Speed, 18);
    EXPECT_EQ(Record().Material, 8);
    EXPECT_EQ(std::wstring(Record().TextSet.Entry[2].Name), L"Stainless steel");
    EXPECT_EQ(std::memcmp(&Record().PhotoSet, &photoBefore, sizeof photoBefore), 0);
}

TEST_F(DetailsDialog, CancelLeavesTheRecordAndEscapeEnterAndCloseAreIgnored) {
    Record().ImpactPattern = 1;
    Record().Material = 3;
    const PrinterSettings before = Record();
    const INT_PTR result = RunDetails(ui_, [](HWND dialog) {
        Scroll(dialog, SB_LINEDOWN, 2);
        EXPECT_EQ(TextOf(dialog, IDC_NAME_EDIT), L"Set-b");
        TypeInto(dialog, IDC_NAME_EDIT, L"Mine");
        Scroll(dialog, SB_LINEDOWN, 1);
        HWND name = GetDlgItem(dialog, IDC_NAME_EDIT);
        // Handled in order by the dialog's loop: a key, the close box, Enter, then Cancel.
        PostMessageW(name, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        PostMessageW(name, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(GetDlgItem(dialog, IDC_DETAILS_CANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDC_DETAILS_CANCEL);
    EXPECT_EQ(ui_->pDetailsWork, nullptr);
    EXPECT_EQ(std::memcmp(&Record(), &before, sizeof before), 0);
}
#endif

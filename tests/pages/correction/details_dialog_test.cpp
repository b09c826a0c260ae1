// The material details dialog worked as a user works it, from its real template.
#ifdef _WIN32
#include "pages/correction/details_dialog.h"

#include "pages/correction/correction_model.h"
#include "resources/resource.h"
#include "tests/support/page_driver.h"

#include <cstring>

namespace {

// The text set active at its third preset, the presets named.
class DetailsDialog : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        FillUnnamedPresets(&Record(), 1);
        Record().ImpactPattern = 0;
        Record().Material = 2;
    }
    static void Browse(HWND dialog, int code, int times) {
        for (int i = 0; i < times; ++i) {
            Scroll(dialog, WM_VSCROLL, IDC_PRESET_SCROLL, code);
        }
    }
};

} // namespace

TEST_F(DetailsDialog, BrowsesPresetsEditsUserOnesAndStoresThemOnOk) {
    ScriptNextDialog([](HWND dialog) {
        EXPECT_EQ(TextOf(dialog, IDC_NAME_EDIT), L"Stainless steel");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_IMPACT_MIN_EDIT)));
        Browse(dialog, SB_LINEDOWN, 2);
        Browse(dialog, SB_PAGEDOWN, 1); // only line steps browse
        EXPECT_EQ(TextOf(dialog, IDC_NAME_EDIT), L"Set-A");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_IMPACT_MIN_EDIT)));
        Browse(dialog, SB_LINEDOWN, 6);
        TypeInto(dialog, IDC_IMPACT_MIN_EDIT, L"1500");
        TypeInto(dialog, IDC_SPEED_EDIT, L"2x5"); // leaves 1500, held; the letter is dropped
        EXPECT_EQ(TextOf(dialog, IDC_IMPACT_MIN_EDIT), L"1100");
        Browse(dialog, SB_LINEUP, 1); // browsing away and back takes in and holds the fields
        Browse(dialog, SB_LINEDOWN, 1);
        EXPECT_EQ(TextOf(dialog, IDC_SPEED_EDIT), L"18");
        TypeInto(dialog, IDC_NAME_EDIT, L"\b");
        Click(dialog, IDC_DETAILS_OK); // takes the focus from the name first, which empties it
    });
    EXPECT_EQ(DetailsDlg(Templates(), nullptr, ui_), IDC_DETAILS_OK);
    const MaterialEntry& last = Record().TextSet.Entry[8];
    EXPECT_EQ(std::wstring(last.Name) + L" " + std::to_wstring(last.ImpactMin) + L" " +
                  std::to_wstring(last.Speed),
              L"--- 1100 18");
    EXPECT_EQ(Record().Material, 8);
}

TEST_F(DetailsDialog, CancelLeavesTheRecordAndEscapeEnterAndCloseAreIgnored) {
    const PrinterSettings before = Record();
    ScriptNextDialog([](HWND dialog) {
        Browse(dialog, SB_LINEDOWN, 2);
        TypeInto(dialog, IDC_NAME_EDIT, L"Mine");
        Browse(dialog, SB_LINEDOWN, 1);
        HWND name = GetDlgItem(dialog, IDC_NAME_EDIT);
        // Handled in order by the dialog's loop: a key, the close box, Enter, then Cancel.
        PostMessageW(name, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        PostMessageW(name, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(GetDlgItem(dialog, IDC_DETAILS_CANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(DetailsDlg(Templates(), nullptr, ui_), IDC_DETAILS_CANCEL);
    EXPECT_EQ(ui_->pDetailsWork, nullptr);
    EXPECT_EQ(std::memcmp(&Record(), &before, sizeof before), 0);
}
#endif

// The material details dialog worked as a user works it, from its real template.
#ifdef _WIN32
#include "pages/correction/details_dialog.h"

#include "resources/resource.h"
#include "tests/pages/correction/correction_driver.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void Scroll(HWND dialog, int code, int times) {
    for (int i = 0; i < times; ++i) {
        SendMessageW(dialog, WM_VSCROLL, code,
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_PRESET_SCROLL)));
    }
}

// A UI context of a real printer with the text set active and its presets named.
UiData* OpenContext(const TestPrinter& printer, LONG impactPattern, SHORT material) {
    UiData* ui = FillUiData(printer.handle(), nullptr);
    FillUnnamedPresets(&ui->devmode.ps, 1);
    ui->devmode.ps.ImpactPattern = impactPattern;
    ui->devmode.ps.Material = material;
    return ui;
}

} // namespace

TEST(DetailsDialog, BrowsesPresetsEditsUserOnesAndStoresThemOnOk) {
    TestPrinter printer(L"Velmar VORIKA KLV-20");
    UiData* ui = OpenContext(printer, 0, 2);
    ScriptNextDialog([](HWND dialog) {
        EXPECT_EQ(TextOf(dialog, IDC_NAME_EDIT), L"Stainless steel");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_NAME_EDIT)) ||
                     IsWindowEnabled(GetDlgItem(dialog, IDC_IMPACT_MIN_EDIT)));
        Scroll(dialog, SB_LINEUP, 3);
        EXPECT_EQ(TextOf(dialog, IDC_NAME_EDIT), L"Aluminium");
        Scroll(dialog, SB_LINEDOWN, 4);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_NAME_EDIT)) &&
                    IsWindowEnabled(GetDlgItem(dialog, IDC_SPEED_EDIT)));
        Scroll(dialog, SB_PAGEDOWN, 1); // only line steps browse
        EXPECT_EQ(TextOf(dialog, IDC_NAME_EDIT), L"Set-A");
        Scroll(dialog, SB_LINEDOWN, 6);
        TypeInto(dialog, IDC_IMPACT_MIN_EDIT, L"1500");
        TypeInto(dialog, IDC_SPEED_EDIT, L"2x5"); // leaves 1500, held; the letter is dropped
        EXPECT_EQ(TextOf(dialog, IDC_IMPACT_MIN_EDIT), L"1100");
        EXPECT_EQ(TextOf(dialog, IDC_SPEED_EDIT), L"25");
        // Browsing away and back takes in and holds what the fields hold.
        Scroll(dialog, SB_LINEUP, 1);
        Scroll(dialog, SB_LINEDOWN, 1);
        EXPECT_EQ(TextOf(dialog, IDC_SPEED_EDIT), L"18");
        TypeInto(dialog, IDC_NAME_EDIT, L"\b");
        // Pressing OK takes the focus from the name first, which empties it.
        SendDlgItemMessageW(dialog, IDC_DETAILS_OK, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(DetailsDlg(Templates(), nullptr, ui), IDC_DETAILS_OK);
    EXPECT_EQ(ui->pDetailsWork, nullptr);
    const MaterialEntry& last = ui->devmode.ps.TextSet.Entry[8];
    EXPECT_EQ(std::wstring(last.Name), L"---");
    EXPECT_EQ(last.ImpactMin, 1100);
    EXPECT_EQ(last.Speed, 18);
    EXPECT_EQ(ui->devmode.ps.Material, 8);
    ReleaseUiData(ui);
}

TEST(DetailsDialog, CancelLeavesTheRecordAndEscapeEnterAndCloseAreIgnored) {
    TestPrinter printer(L"Velmar VORIKA KLV-20");
    UiData* ui = OpenContext(printer, 1, 3);
    const PrinterSettings before = ui->devmode.ps;
    ScriptNextDialog([](HWND dialog) {
        Scroll(dialog, SB_LINEDOWN, 2);
        TypeInto(dialog, IDC_NAME_EDIT, L"Mine");
        Scroll(dialog, SB_LINEDOWN, 1);
        HWND name = GetDlgItem(dialog, IDC_NAME_EDIT);
        // Handled in order by the dialog's loop: a key, the close box, Enter, then Cancel.
        PostMessageW(name, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        PostMessageW(name, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(GetDlgItem(dialog, IDC_DETAILS_CANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(DetailsDlg(Templates(), nullptr, ui), IDC_DETAILS_CANCEL);
    EXPECT_EQ(ui->pDetailsWork, nullptr);
    EXPECT_EQ(std::memcmp(&ui->devmode.ps, &before, sizeof before), 0);
    ReleaseUiData(ui);
}
#endif

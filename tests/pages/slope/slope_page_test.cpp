// The Slope correction page under Wine, worked as a user works it: created from the built DLL's
// template, with real focus changes, typing, spin bars, clicks, and the service chord held through
// the input queue. The rules' detail is pinned in the model's tests.
#ifdef _WIN32
#include "pages/slope/slope_page.h"

#include "entry/ui_context.h"
#include "resources/resource.h"
#include "tests/support/test_printer.h"

#include <prsht.h>

#include <gtest/gtest.h>

TEST(SlopePage, WorkedAsAUserWorksIt) {
    TestPrinter printer(L"Velmar VORIKA KLV-20");
    UiData* ui = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(ui, nullptr);
    const PrinterSettings& ps = ui->devmode.ps;
    // The test prints go to the printer that the context's DEVMODE names.
    lstrcpynW(ui->devmode.dm.dmDeviceName, printer.name(), CCHDEVICENAME);
    HWND sheet = CreateWindowExW(0, L"STATIC", L"sheet", WS_POPUP | WS_VISIBLE, 0, 0, 600, 500,
                                 nullptr, nullptr, nullptr, nullptr);
    PROPSHEETPAGEW page{};
    page.lParam = reinterpret_cast<LPARAM>(ui);
    HWND dlg =
        CreateDialogParamW(LoadLibraryW(TEXT(VORIKAUI_DLL)), MAKEINTRESOURCEW(IDD_SLOPE_PAGE),
                           sheet, SlopeDlgProc, reinterpret_cast<LPARAM>(&page));
    ASSERT_NE(dlg, nullptr);
    const auto item = [&](int id) { return GetDlgItem(dlg, id); };
    const auto click = [&](int id) { SendMessageW(item(id), BM_CLICK, 0, 0); };
    const auto spin = [&](int bar, int code) {
        SendMessageW(dlg, WM_VSCROLL, code, reinterpret_cast<LPARAM>(item(bar)));
    };
    // Alt, Shift and the middle mouse button, held or released as a user does.
    const auto chord = [](DWORD keys, DWORD button) {
        keybd_event(VK_MENU, 0, keys, 0);
        keybd_event(VK_SHIFT, 0, keys, 0);
        mouse_event(button, 0, 0, 0, 0);
    };

    // The check box enables exactly the edits and their spin bars.
    for (bool on : {true, false}) {
        click(IDC_CORRECT_SLOPE);
        EXPECT_EQ(ps.CorrectSlope, on ? 1 : 0);
        for (int id = IDC_BACK_LABEL; id <= IDC_TEST_PRINT; ++id) {
            const bool reading = id >= IDC_BACK_EDIT && id <= IDC_LEFT_SPIN;
            EXPECT_EQ(IsWindowEnabled(item(id)) != FALSE, on || !reading) << id;
        }
    }
    click(IDC_CORRECT_SLOPE);
    // Focusing an edit selects its text, so the keys replace it; it takes two, held to 25.
    SetFocus(item(IDC_FRONT_EDIT));
    for (wchar_t key : {L'3', L'0', L'0'}) {
        SendMessageW(item(IDC_FRONT_EDIT), WM_CHAR, key, 1);
    }
    SetFocus(item(IDC_BACK_SPIN)); // leaving the edit for a control that reacts to nothing
    EXPECT_EQ(ps.Front, 25);
    EXPECT_EQ(GetDlgItemInt(dlg, IDC_FRONT_EDIT, nullptr, FALSE), 25u);
    EXPECT_EQ(GetDlgItemInt(dlg, IDC_FRONT_BACK_RATIO, nullptr, FALSE), 171u);
    // The right spin bar has the lower ID.
    spin(IDC_RIGHT_SPIN, SB_LINEUP);
    EXPECT_EQ(GetFocus(), item(IDC_RIGHT_EDIT));
    EXPECT_EQ(ps.Right, 11);
    EXPECT_EQ(GetDlgItemInt(dlg, IDC_RIGHT_EDIT, nullptr, FALSE), 11u);
    EXPECT_EQ(GetDlgItemInt(dlg, IDC_LEFT_RIGHT_RATIO, nullptr, FALSE), 19u);
    spin(IDC_LEFT_SPIN, SB_LINEDOWN);
    EXPECT_EQ(ps.Left, 9);

    // The chord reveals the service controls, whose test print ignores the check box.
    click(IDC_CORRECT_SLOPE);
    chord(0, MOUSEEVENTF_MIDDLEDOWN);
    SendMessageW(dlg, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(15, 15));
    chord(KEYEVENTF_KEYUP, MOUSEEVENTF_MIDDLEUP);
    for (int id :
         {IDC_LEFT_RIGHT_RATIO, IDC_FRONT_BACK_RATIO, IDC_TEST_PRINT_1, IDC_TEST_PRINT_0}) {
        EXPECT_TRUE(GetWindowLongW(item(id), GWL_STYLE) & WS_VISIBLE) << id;
    }
    click(IDC_TEST_PRINT_1);
    EXPECT_EQ(printer.Output(), "@PJL DO TESTPRINT=1\n");
    SendMessageW(dlg, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(15, 15)); // without the chord
    EXPECT_FALSE(GetWindowLongW(item(IDC_TEST_PRINT_0), GWL_STYLE) & WS_VISIBLE);

    NMHDR apply{sheet, 0, static_cast<UINT>(PSN_APPLY)};
    SendMessageW(dlg, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&apply));
    EXPECT_EQ(ui->bApplied, 1u);
    DestroyWindow(sheet);
    ReleaseUiData(ui);
}
#endif

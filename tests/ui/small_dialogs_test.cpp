// The information page, the About dialog and the Warning dialog, driven as a user would.
#ifdef _WIN32
#include "ui/small_dialogs.h"

#include "entry/ui_context.h"
#include "tests/support/seam_override.h"
#include "tests/support/test_printer.h"
#include "ui/dialog_host.h"

#include <prsht.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const HINSTANCE kTemplates = LoadLibraryW(TEXT(VORIKAUI_DLL)); // the built module's dialogs

// The command the next modal dialog gets once it is active; Escape reaches it as IDCANCEL.
WPARAM press = IDOK;
HHOOK hook = nullptr;
LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto dialog = reinterpret_cast<HWND>(wParam);
        if (press == IDCANCEL) {
            PostMessageW(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
        } else {
            PostMessageW(dialog, WM_COMMAND, press, 0);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

template <typename Show> INT_PTR RunModal(WPARAM what, Show show) {
    press = what;
    hook = SetWindowsHookExW(WH_CBT, OnActivate, nullptr, GetCurrentThreadId());
    const INT_PTR result = show();
    UnhookWindowsHookEx(hook);
    return result;
}

UINT helpCommand = 0;
BOOL WINAPI RecordHelp(HWND, LPCWSTR, UINT command, ULONG_PTR) {
    helpCommand = command;
    return TRUE;
}

// About ends on OK and Escape; Warning on any command.
TEST(SmallDialogs, EndWithTheCommandThatClosedThem) {
    EXPECT_EQ(RunModal(IDOK, [] { return AboutDlg(kTemplates, nullptr); }), IDOK);
    EXPECT_EQ(RunModal(IDCANCEL, [] { return AboutDlg(kTemplates, nullptr); }), IDCANCEL);
    EXPECT_EQ(RunModal(1234, [] { return WarningDlg(kTemplates, nullptr, nullptr); }), 1234);
}

// The page shows the driver's name as one line; the sheet's Help button asks for the contents;
// the page never marks the sheet applied.
TEST(InformationPage, ShowsTheDriverNameAsOneLine) {
    TestPrinter printer(L"Velmar VORIKA KLV-20");
    UiData* ui = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(ui, nullptr);
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.lParam = reinterpret_cast<LPARAM>(ui);
    HWND owner = CreateWindowExW(0, L"STATIC", L"sheet", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND dialog = CreateDialogParamW(kTemplates, MAKEINTRESOURCEW(kInfoTemplate), owner,
                                     UtilityProc, reinterpret_cast<LPARAM>(&page));
    ASSERT_NE(dialog, nullptr);
    WCHAR text[128] = {};
    GetDlgItemTextW(dialog, kInfoEdit, text, 128);
    EXPECT_EQ(std::wstring(text), L"Velmar VORIKA KLV-20\r\n");
    EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), reinterpret_cast<LONG_PTR>(ui));
    SeamOverride seam(g_dialogHost.WinHelpW, &RecordHelp);
    for (int code : {PSN_HELP, PSN_APPLY}) {
        NMHDR notify{owner, 0, static_cast<UINT>(code)};
        SendMessageW(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
    }
    EXPECT_EQ(helpCommand, static_cast<UINT>(HELP_CONTENTS));
    EXPECT_EQ(ui->bApplied, 0u);
    DestroyWindow(owner);
    ReleaseUiData(ui);
}

} // namespace
#endif

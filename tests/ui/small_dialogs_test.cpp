// The information page of the printer sheet, driven as the sheet drives it. (The Warning dialog
// is run from the Material page's tests.)
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

UINT helpCommand = 0;
BOOL WINAPI RecordHelp(HWND, LPCWSTR, UINT command, ULONG_PTR) {
    helpCommand = command;
    return TRUE;
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

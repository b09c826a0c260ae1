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

// The dialog templates of the built module.
HINSTANCE Templates() {
    static HINSTANCE module = LoadLibraryW(TEXT(VORIKAUI_DLL));
    return module;
}

// What the next modal dialog gets once it is active.
enum class Press { Ok, Escape, Command };
Press press = Press::Ok;
HHOOK hook = nullptr;

LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        auto dialog = reinterpret_cast<HWND>(wParam);
        switch (press) {
        case Press::Ok:
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            break;
        case Press::Escape:
            // The dialog manager turns Escape on the focused control into IDCANCEL.
            PostMessageW(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        case Press::Command:
            PostMessageW(dialog, WM_COMMAND, 1234, 0);
            break;
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

// Runs a modal dialog with the given key or button pressed as soon as it shows.
template <typename Show> INT_PTR RunModal(Press what, Show show) {
    press = what;
    hook = SetWindowsHookExW(WH_CBT, OnActivate, nullptr, GetCurrentThreadId());
    const INT_PTR result = show();
    UnhookWindowsHookEx(hook);
    return result;
}

struct HelpRequest {
    int count = 0;
    HWND window = nullptr;
    UINT command = 0;
} help;

BOOL WINAPI RecordHelp(HWND window, LPCWSTR, UINT command, ULONG_PTR) {
    help = {help.count + 1, window, command};
    return TRUE;
}

} // namespace

TEST(AboutDialog, ClosesOnOkAndOnEscape) {
    EXPECT_EQ(RunModal(Press::Ok, [] { return AboutDlg(Templates(), nullptr); }), IDOK);
    EXPECT_EQ(RunModal(Press::Escape, [] { return AboutDlg(Templates(), nullptr); }), IDCANCEL);
}

TEST(WarningDialog, ClosesOnAnyButtonAndOnEscape) {
    auto show = [] { return WarningDlg(Templates(), nullptr, nullptr); };
    EXPECT_EQ(RunModal(Press::Ok, show), IDOK);
    EXPECT_EQ(RunModal(Press::Escape, show), IDCANCEL);
    EXPECT_EQ(RunModal(Press::Command, show), 1234);
}

TEST(InformationPage, ShowsTheDriverNameAsOneLine) {
    TestPrinter printer(L"Velmar VORIKA KLV-20");
    UiData* ui = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(ui, nullptr);
    HWND owner = CreateWindowExW(0, L"STATIC", L"sheet", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                 nullptr, nullptr);
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.hInstance = Templates();
    page.lParam = reinterpret_cast<LPARAM>(ui);
    HWND dialog = CreateDialogParamW(Templates(), MAKEINTRESOURCEW(kInfoTemplate), owner,
                                     UtilityProc, reinterpret_cast<LPARAM>(&page));
    ASSERT_NE(dialog, nullptr);

    WCHAR text[128] = {};
    GetDlgItemTextW(dialog, kInfoEdit, text, 128);
    EXPECT_EQ(std::wstring(text), L"Velmar VORIKA KLV-20\r\n");
    EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), reinterpret_cast<LONG_PTR>(ui));

    // The sheet's Help button asks for the contents, owned by the window that sent it.
    SeamOverride seam(g_dialogHost.WinHelpW, &RecordHelp);
    NMHDR notify{owner, 0, static_cast<UINT>(PSN_HELP)};
    SendMessageW(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
    EXPECT_EQ(help.count, 1);
    EXPECT_EQ(help.window, owner);
    EXPECT_EQ(help.command, static_cast<UINT>(HELP_CONTENTS));
    // Other notifications do nothing; the page never marks the sheet applied.
    NMHDR apply{owner, 0, static_cast<UINT>(PSN_APPLY)};
    SendMessageW(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&apply));
    EXPECT_EQ(help.count, 1);
    EXPECT_EQ(ui->bApplied, 0u);

    DestroyWindow(dialog);
    DestroyWindow(owner);
    ReleaseUiData(ui);
}
#endif

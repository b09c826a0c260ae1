// Loading the built DLL into a process that has the platform's windowing, drawing and printing
// modules but not the common dialogs: applications that only ask a printer's capabilities must
// not pay for the dialogs (and the shell modules they bring), which only the settings file's
// dialogs need; those load them when they open. This program links nothing that would load them.
#ifdef _WIN32
#include "ui/dialog_host.h"

#include <winspool.h>

#include <gtest/gtest.h>

namespace {

TEST(ModuleLoad, LoadsTheCommonDialogsOnlyWhenAFileDialogOpens) {
    // What the spooler's clients have loaded before they reach the driver.
    for (LPCWSTR module : {L"user32.dll", L"gdi32.dll", L"winspool.drv"}) {
        ASSERT_NE(LoadLibraryW(module), nullptr);
    }
    ASSERT_EQ(GetModuleHandleW(L"comdlg32.dll"), nullptr) << "loaded before the driver";
    HMODULE driver = LoadLibraryW(L"" VORIKAUI_DLL);
    ASSERT_NE(driver, nullptr) << GetLastError();
    EXPECT_EQ(GetModuleHandleW(L"comdlg32.dll"), nullptr);
    FreeLibrary(driver);

    WCHAR file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn, ofn.lpstrFile = file, ofn.nMaxFile = MAX_PATH;
    // Cancelled from inside its own modal loop.
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        PostMessageW(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(kPlatformDialogHost.GetOpenFileNameW(&ofn)) << "cancelled";
    KillTimer(nullptr, timer);
    EXPECT_NE(GetModuleHandleW(L"comdlg32.dll"), nullptr);
}

} // namespace
#endif

// Loading the built DLL into a process that has the platform's windowing, drawing and printing
// modules but not the common dialogs: applications that only ask a printer's capabilities must
// not pay for the dialogs (and the shell modules they bring) that only the settings file needs.
// This program links nothing that would load them itself.
#ifdef _WIN32
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

namespace {

TEST(ModuleLoad, LeavesTheCommonDialogsUnloaded) {
    // What the spooler's clients have loaded before they reach the driver.
    ASSERT_NE(LoadLibraryW(L"user32.dll"), nullptr);
    ASSERT_NE(LoadLibraryW(L"gdi32.dll"), nullptr);
    ASSERT_NE(LoadLibraryW(L"winspool.drv"), nullptr);
    ASSERT_EQ(GetModuleHandleW(L"comdlg32.dll"), nullptr) << "loaded before the driver";
    HMODULE driver = LoadLibraryW(L"" VORIKAUI_DLL);
    ASSERT_NE(driver, nullptr) << GetLastError();
    EXPECT_EQ(GetModuleHandleW(L"comdlg32.dll"), nullptr);
    FreeLibrary(driver);
}

} // namespace
#endif

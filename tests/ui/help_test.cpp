// The help file by the user's language, the help tables and the requests made to the help engine.
#include "ui/help.h"

#include "tests/support/seam_override.h"
#include "ui/dialog_host.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#ifndef _WIN32
#include "platform/posix/standin_control.h"
#endif

namespace {

using WString = std::basic_string<WCHAR>;

LANGID language = 0;
LANGID WINAPI UserLanguage() {
    return language;
}

struct HelpCall {
    HWND window;
    WString file;
    UINT command;
    ULONG_PTR data;
};
std::vector<HelpCall> calls;

BOOL WINAPI RecordHelp(HWND window, LPCWSTR file, UINT command, ULONG_PTR data) {
    calls.push_back({window, file ? file : WString(), command, data});
    return TRUE;
}

// Only language 1041 gets the Japanese file; either lies in the subdirectory 2 of the driver
// directory; each request names the file, its window and the page's table.
TEST(Help, RequestsNameTheFileOfTheUsersLanguage) {
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed);
    std::vector<BYTE> directory(needed);
    ASSERT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, directory.data(), needed, &needed));
    const WString dir(reinterpret_cast<const WCHAR*>(directory.data()));
    SeamOverride languageSeam(g_dialogHost.GetUserDefaultLangID, &UserLanguage);
    SeamOverride helpSeam(g_dialogHost.WinHelpW, &RecordHelp);
    auto* window = reinterpret_cast<HWND>(0x1234);
    calls.clear();
    language = 1041;
    ShowControlHelp(window, slope::aPaperDlgHelpIDs);
    language = 1033;
    ShowContextMenuHelp(window, material::aPaperDlgHelpIDs);
    language = 0x0811;
    ShowHelpContents(nullptr);
    const std::vector<std::tuple<HWND, WString, UINT, ULONG_PTR>> expected = {
        {window, dir + TEXT("\\2\\QTKLVJP.HLP"), HELP_WM_HELP, ULONG_PTR(slope::aPaperDlgHelpIDs)},
        {window, dir + TEXT("\\2\\QTKLVEN.HLP"), HELP_CONTEXTMENU,
         ULONG_PTR(material::aPaperDlgHelpIDs)},
        {nullptr, dir + TEXT("\\2\\QTKLVEN.HLP"), HELP_CONTENTS, 0}};
    ASSERT_EQ(calls.size(), expected.size());
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(std::tie(calls[i].window, calls[i].file, calls[i].command, calls[i].data),
                  expected[i]);
    }
}

#ifndef _WIN32
TEST(Help, NoFileWithoutTheDriverDirectoryOrMemory) {
    standin::SetDriverDirectory(TEXT("D:\\DRIVERS\\W32X86"));
    language = 1041;
    SeamOverride seam(g_dialogHost.GetUserDefaultLangID, &UserLanguage);
    LPWSTR name = GetHelpFileName();
    EXPECT_EQ(WString(name), TEXT("D:\\DRIVERS\\W32X86\\2\\QTKLVJP.HLP"));
    GlobalFree(name);
    const long live = standin::LiveAllocations();
    for (unsigned nth : {1u, 2u}) {
        standin::FailCall(standin::Op::GetPrinterDriverDirectory, nth, ERROR_ACCESS_DENIED);
        EXPECT_EQ(GetHelpFileName(), nullptr) << "call " << nth;
        standin::FailCall(standin::Op::GetPrinterDriverDirectory, 0, 0);
    }
    standin::FailAllocation(1);
    EXPECT_EQ(GetHelpFileName(), nullptr);
    EXPECT_EQ(standin::LiveAllocations(), live);
    standin::SetDriverDirectory(TEXT("C:\\windows\\system32\\spool\\drivers\\x64"));
}
#endif

TEST(Help, TablesMapControlsToContexts) {
    const std::tuple<const DWORD*, int, DWORD> rows[] = {
        {material::aPaperDlgHelpIDs, 199, 1100},     {material::aPaperDlgHelpIDs, 402, 1115},
        {material::aPaperDlgHelpIDs, 216, 0},        {correction::aPaperDlgHelpIDs, 706, 1209},
        {correction::aDetailsDlgHelpIDs, 611, 1305}, {slope::aPaperDlgHelpIDs, 816, 1401}};
    for (const auto& [table, control, context] : rows) {
        EXPECT_EQ(FindHelpContext(table, control), context) << control;
    }
    const DWORD notEndedByAZeroControlAlone[] = {0, 5, 9, 1, 0, 0};
    EXPECT_EQ(FindHelpContext(notEndedByAZeroControlAlone, 9), 1u);
    const DWORD endedByTheFirstZeroPair[] = {0, 0, 7, 3};
    EXPECT_EQ(FindHelpContext(endedByTheFirstZeroPair, 7), 0u);
}

} // namespace

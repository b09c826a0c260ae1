// The help file by the user's language, the help tables and the requests made to the help engine.
#include "ui/help.h"

#include "tests/support/seam_override.h"
#include "ui/dialog_host.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <string>
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

// The driver directory as the spooler reports it.
WString DriverDirectory() {
    DWORD needed = 0;
    GetPrinterDriverDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    EXPECT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, buffer.data(), needed, &needed));
    return WString(reinterpret_cast<const WCHAR*>(buffer.data()));
}

WString HelpFileFor(LANGID id) {
    language = id;
    SeamOverride seam(g_dialogHost.GetUserDefaultLangID, &UserLanguage);
    LPWSTR name = GetHelpFileName();
    EXPECT_NE(name, nullptr);
    WString result = name != nullptr ? WString(name) : WString();
    GlobalFree(name);
    return result;
}

struct HelpCall {
    int count = 0;
    HWND window = nullptr;
    WString file;
    UINT command = 0;
    ULONG_PTR data = 0;
} lastHelp;

BOOL WINAPI RecordHelp(HWND window, LPCWSTR file, UINT command, ULONG_PTR data) {
    lastHelp = {lastHelp.count + 1, window, file != nullptr ? file : WString(), command, data};
    return TRUE;
}

} // namespace

TEST(Help, OnlyJapaneseUsersGetTheJapaneseFile) {
    const WString dir = DriverDirectory();
    EXPECT_EQ(HelpFileFor(1041), dir + TEXT("\\2\\QTKLVJP.HLP"));
    EXPECT_EQ(HelpFileFor(1033), dir + TEXT("\\2\\QTKLVEN.HLP"));
    EXPECT_EQ(HelpFileFor(1040), dir + TEXT("\\2\\QTKLVEN.HLP"));
    EXPECT_EQ(HelpFileFor(0x0811), dir + TEXT("\\2\\QTKLVEN.HLP")); // another sublanguage
}

#ifndef _WIN32
TEST(Help, FileLiesBelowTheDriverDirectory) {
    standin::SetDriverDirectory(TEXT("D:\\DRIVERS\\W32X86"));
    EXPECT_EQ(HelpFileFor(1041), WString(TEXT("D:\\DRIVERS\\W32X86\\2\\QTKLVJP.HLP")));
    standin::SetDriverDirectory(TEXT("C:\\windows\\system32\\spool\\drivers\\x64"));
}

TEST(Help, NoFileWithoutTheDriverDirectory) {
    language = 1033;
    SeamOverride seam(g_dialogHost.GetUserDefaultLangID, &UserLanguage);
    for (unsigned nth : {1u, 2u}) {
        standin::FailCall(standin::Op::GetPrinterDriverDirectory, nth, ERROR_ACCESS_DENIED);
        EXPECT_EQ(GetHelpFileName(), nullptr) << "call " << nth;
        standin::FailCall(standin::Op::GetPrinterDriverDirectory, 0, 0);
    }
    const long live = standin::LiveAllocations();
    standin::FailAllocation(1);
    EXPECT_EQ(GetHelpFileName(), nullptr);
    EXPECT_EQ(standin::LiveAllocations(), live);
}
#endif

TEST(Help, TablesMapControlsToContexts) {
    EXPECT_EQ(FindHelpContext(material::aPaperDlgHelpIDs, 199), 1100u);
    EXPECT_EQ(FindHelpContext(material::aPaperDlgHelpIDs, 402), 1115u);
    EXPECT_EQ(FindHelpContext(material::aPaperDlgHelpIDs, 216), 0u); // no help for 216
    EXPECT_EQ(FindHelpContext(correction::aPaperDlgHelpIDs, 532), 1200u);
    EXPECT_EQ(FindHelpContext(correction::aPaperDlgHelpIDs, 706), 1209u);
    EXPECT_EQ(FindHelpContext(correction::aDetailsDlgHelpIDs, 611), 1305u);
    EXPECT_EQ(FindHelpContext(slope::aPaperDlgHelpIDs, 813), 1400u);
    EXPECT_EQ(FindHelpContext(slope::aPaperDlgHelpIDs, 816), 1401u);
}

TEST(Help, RequestsReachTheHelpEngineWithTheFile) {
    language = 1041;
    SeamOverride languageSeam(g_dialogHost.GetUserDefaultLangID, &UserLanguage);
    SeamOverride helpSeam(g_dialogHost.WinHelpW, &RecordHelp);
    const WString file = DriverDirectory() + TEXT("\\2\\QTKLVJP.HLP");
    auto* window = reinterpret_cast<HWND>(0x1234);

    ShowControlHelp(window, slope::aPaperDlgHelpIDs);
    EXPECT_EQ(lastHelp.window, window);
    EXPECT_EQ(lastHelp.file, file);
    EXPECT_EQ(lastHelp.command, static_cast<UINT>(HELP_WM_HELP));
    EXPECT_EQ(lastHelp.data, reinterpret_cast<ULONG_PTR>(slope::aPaperDlgHelpIDs));

    ShowContextMenuHelp(window, material::aPaperDlgHelpIDs);
    EXPECT_EQ(lastHelp.command, static_cast<UINT>(HELP_CONTEXTMENU));
    EXPECT_EQ(lastHelp.data, reinterpret_cast<ULONG_PTR>(material::aPaperDlgHelpIDs));

    ShowHelpContents(nullptr);
    EXPECT_EQ(lastHelp.window, nullptr);
    EXPECT_EQ(lastHelp.command, static_cast<UINT>(HELP_CONTENTS));
    EXPECT_EQ(lastHelp.data, 0u);
    EXPECT_EQ(lastHelp.count, 3);
}

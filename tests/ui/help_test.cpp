// The help file by the user's language, the help tables and the requests made to the help engine.
#include "ui/help.h"

#include "tests/support/seam_override.h"
#include "tests/support/test_printer.h"
#include "ui/dialog_host.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/posix/standin_control.h"

namespace {

using Request = std::tuple<HWND, WString, UINT, ULONG_PTR>;

LANGID language = 0;
LANGID WINAPI UserLanguage() {
    return language;
}

std::vector<Request> requests;
BOOL WINAPI RecordHelp(HWND window, LPCWSTR file, UINT command, ULONG_PTR data) {
    requests.emplace_back(window, file ? file : WString(), command, data);
    return TRUE;
}

// Only language 1041 gets the Japanese file; either lies in the subdirectory 2 of the driver
// directory; each request names the file, its window and the page's table, and frees the name.
TEST(Help, RequestsNameTheFileOfTheUsersLanguage) {
    const WString dir = TEXT("C:\\windows\\system32\\spool\\drivers\\x64"); // the stand-in's
    SeamOverride languageSeam(g_dialogHost.GetUserDefaultLangID, &UserLanguage);
    SeamOverride helpSeam(g_dialogHost.WinHelpW, &RecordHelp);
    auto* window = reinterpret_cast<HWND>(0x1234);
    const long live = standin::LiveAllocations();
    requests.clear();
    language = 1041;
    ShowControlHelp(window, slope::aPaperDlgHelpIDs);
    language = 1033;
    ShowContextMenuHelp(window, material::aPaperDlgHelpIDs);
    language = 0x0811;
    standin::SetDriverDirectory(TEXT("D:\\DRIVERS\\W32X86"));
    ShowHelpContents(nullptr);
    standin::SetDriverDirectory(dir);
    EXPECT_EQ(requests,
              (std::vector<Request>{
                  {window, dir + TEXT("\\2\\QTKLVJP.HLP"), HELP_WM_HELP,
                   ULONG_PTR(slope::aPaperDlgHelpIDs)},
                  {window, dir + TEXT("\\2\\QTKLVEN.HLP"), HELP_CONTEXTMENU,
                   ULONG_PTR(material::aPaperDlgHelpIDs)},
                  {nullptr, TEXT("D:\\DRIVERS\\W32X86\\2\\QTKLVEN.HLP"), HELP_CONTENTS, 0}}));
    EXPECT_EQ(standin::LiveAllocations(), live) << "a help file name was not freed";
}

TEST(Help, NoFileWithoutTheDriverDirectoryOrMemory) {
    const long live = standin::LiveAllocations();
    for (unsigned nth : {1u, 2u}) {
        standin::FailCall(standin::Op::GetPrinterDriverDirectory, nth, ERROR_ACCESS_DENIED);
        EXPECT_EQ(GetHelpFileName(), nullptr) << "call " << nth;
        standin::FailCall(standin::Op::GetPrinterDriverDirectory, 0, 0);
    }
    standin::FailAllocation(1);
    EXPECT_EQ(GetHelpFileName(), nullptr);
    EXPECT_EQ(standin::LiveAllocations(), live);
}

// A table maps a control to its context and ends at its first pair of zeros, not at a zero
// control alone.
TEST(Help, TablesMapControlsToContexts) {
    EXPECT_EQ(FindHelpContext(material::aPaperDlgHelpIDs, 402), 1115u);
    EXPECT_EQ(FindHelpContext(correction::aDetailsDlgHelpIDs, 611), 1305u);
    EXPECT_EQ(FindHelpContext(slope::aPaperDlgHelpIDs, 216), 0u);
    const DWORD zeroControl[] = {0, 5, 9, 1, 0, 0, 7, 3};
    EXPECT_EQ(FindHelpContext(zeroControl, 9), 1u);
    EXPECT_EQ(FindHelpContext(zeroControl, 7), 0u);
}

} // namespace

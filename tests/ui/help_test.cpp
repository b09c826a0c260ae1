// The help file by the user's language, the help tables, when the help engine is asked, and which
// of the module's own help strings answers a context.
#include "ui/help.h"

#include "tests/support/seam_override.h"
#include "resources/resource.h"
#include "tests/support/test_printer.h"
#include "ui/dialog_host.h"

#include <gtest/gtest.h>

#include <algorithm>
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

DWORD majorVersion = 5;
LONG WINAPI SystemVersion(RTL_OSVERSIONINFOW* info) {
    info->dwMajorVersion = majorVersion;
    return majorVersion == 0 ? -1 : 0; // 0: the call fails
}

std::vector<Request> requests;
BOOL WINAPI RecordHelp(HWND window, LPCWSTR file, UINT command, ULONG_PTR data) {
    requests.emplace_back(window, file ? file : WString(), command, data);
    return TRUE;
}

const WString kDir = TEXT("C:\\windows\\system32\\spool\\drivers\\x64"); // the stand-in's
const WString kOtherDir = TEXT("D:\\DRIVERS\\W32X86");

// Only language 1041 gets the Japanese file; either lies in the subdirectory 2 of the driver
// directory; each request names the file, its window and the page's table, and frees the name.
TEST(Help, RequestsNameTheFileOfTheUsersLanguage) {
    const WString& dir = kDir;
    SeamOverride languageSeam(g_dialogHost.GetUserDefaultLangID, &UserLanguage);
    SeamOverride helpSeam(g_dialogHost.WinHelpW, &RecordHelp);
    SeamOverride versionSeam(g_dialogHost.RtlGetVersion, &SystemVersion);
    standin::SetFilePresent(dir + TEXT("\\2\\QTKLVJP.HLP"), true);
    standin::SetFilePresent(dir + TEXT("\\2\\QTKLVEN.HLP"), true);
    standin::SetFilePresent(kOtherDir + TEXT("\\2\\QTKLVEN.HLP"), true);
    majorVersion = 5;
    auto* window = reinterpret_cast<HWND>(0x1234);
    const long live = standin::LiveAllocations();
    requests.clear();
    language = 1041;
    ShowControlHelp(window, slope::aPaperDlgHelpIDs);
    language = 1033;
    ShowContextMenuHelp(window, material::aPaperDlgHelpIDs);
    language = 0x0811;
    standin::SetDriverDirectory(kOtherDir);
    ShowHelpContents(nullptr);
    standin::SetDriverDirectory(dir);
    EXPECT_EQ(requests, (std::vector<Request>{
                            {window, dir + TEXT("\\2\\QTKLVJP.HLP"), HELP_WM_HELP,
                             ULONG_PTR(slope::aPaperDlgHelpIDs)},
                            {window, dir + TEXT("\\2\\QTKLVEN.HLP"), HELP_CONTEXTMENU,
                             ULONG_PTR(material::aPaperDlgHelpIDs)},
                            {nullptr, kOtherDir + TEXT("\\2\\QTKLVEN.HLP"), HELP_CONTENTS, 0}}));
    EXPECT_EQ(standin::LiveAllocations(), live) << "a help file name was not freed";
    for (const WString& file : {dir + TEXT("\\2\\QTKLVJP.HLP"), dir + TEXT("\\2\\QTKLVEN.HLP"),
                                kOtherDir + TEXT("\\2\\QTKLVEN.HLP")}) {
        standin::SetFilePresent(file, false);
    }
}

// The engine is asked only with the help file of the user's language present on a system from
// before Windows Vista (major version 6); an unreadable version counts as a later system.
TEST(Help, EngineAskedOnlyWhereItCanAnswer) {
    SeamOverride languageSeam(g_dialogHost.GetUserDefaultLangID, &UserLanguage);
    SeamOverride helpSeam(g_dialogHost.WinHelpW, &RecordHelp);
    SeamOverride versionSeam(g_dialogHost.RtlGetVersion, &SystemVersion);
    language = 1033;
    const struct {
        const char16_t* present; // the help file that exists, if any
        DWORD version;
        bool asked;
    } cases[] = {{u"\\2\\QTKLVEN.HLP", 5, true},
                 {u"\\2\\QTKLVEN.HLP", 4, true},
                 {u"\\2\\QTKLVEN.HLP", 6, false},
                 {u"\\2\\QTKLVEN.HLP", 10, false},
                 {u"\\2\\QTKLVEN.HLP", 0, false},
                 {u"\\2\\QTKLVJP.HLP", 5, false},
                 {nullptr, 5, false}};
    for (const auto& c : cases) {
        const WString file = c.present ? kDir + c.present : WString();
        standin::SetFilePresent(file, true);
        majorVersion = c.version;
        requests.clear();
        const bool asked = ShowHelpContents(nullptr) && ShowControlHelp(nullptr, nullptr) &&
                           ShowContextMenuHelp(nullptr, nullptr);
        EXPECT_EQ(asked, c.asked) << c.version;
        EXPECT_EQ(requests.size(), c.asked ? 3u : 0u) << c.version;
        standin::SetFilePresent(file, false);
    }
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

// Each context has its own topic, and the strings of the topic follow the user's language: the
// Japanese texts of contexts 1100 to 1401 are strings 901 to 934 in context order, the English
// ones lie outside them, and a context outside the tables has none.
TEST(Help, ContextsFindTheirStringsInTheUsersLanguage) {
    const struct {
        DWORD context;
        UINT japaneseText; // 0: no topic
    } cases[] = {{1100, 901}, {1101, 902}, {1115, 916}, {1200, 917}, {1209, 926}, {1300, 927},
                 {1305, 932}, {1400, 933}, {1401, 934}, {1099, 0},   {1116, 0},   {1199, 0},
                 {1210, 0},   {1306, 0},   {1402, 0},   {0, 0}};
    std::vector<UINT> english;
    std::vector<UINT> captions;
    for (const auto& c : cases) {
        const UINT topic = HelpTopicOf(c.context);
        EXPECT_EQ(topic == 0 ? 0 : HelpTextId(topic, true), c.japaneseText) << c.context;
        if (topic != 0) {
            english.push_back(HelpTextId(topic, false));
            captions.push_back(HelpCaptionId(topic, true));
            captions.push_back(HelpCaptionId(topic, false));
        }
    }
    for (const auto& ids : {english, captions}) {
        for (UINT id : ids) {
            EXPECT_TRUE(id < IDS_FIRST_HELP_TEXT - 1 || id > IDS_LAST_HELP_TEXT) << id;
            EXPECT_EQ(std::count(english.begin(), english.end(), id) +
                          std::count(captions.begin(), captions.end(), id),
                      1)
                << id;
        }
    }
    SeamOverride languageSeam(g_dialogHost.GetUserDefaultLangID, &UserLanguage);
    for (const LANGID id : {1041, 1033, 1040, 0x0811, 0}) {
        language = id;
        EXPECT_EQ(HelpInJapanese(), id == 1041) << id;
    }
}

// A page's help window lists each context of its table once, in table order.
TEST(Help, TablesListTheirTopicsOnce) {
    UINT topics[kHelpTopics];
    std::vector<UINT> expected;
    for (UINT i = 1; i <= 16; ++i) {
        expected.push_back(i);
    }
    const auto listed = [&](const DWORD* table) {
        return std::vector<UINT>(topics, topics + TableTopics(table, topics));
    };
    EXPECT_EQ(listed(material::aPaperDlgHelpIDs), expected);
    EXPECT_EQ(listed(slope::aPaperDlgHelpIDs), (std::vector<UINT>{33, 34}));
    EXPECT_EQ(listed(correction::aPaperDlgHelpIDs).size(), 10u);
    const DWORD unknown[] = {5, 999, 6, 1305, 7, 1300, 8, 1305, 0, 0};
    EXPECT_EQ(listed(unknown), (std::vector<UINT>{32, 27}));
}

// A string of a resource block: the counted strings before it are skipped; a count running past
// the block, or an index past the 16 strings, finds nothing; the copy is cut to the room given.
TEST(Help, StringsOfABlockStayInsideIt) {
    std::vector<WCHAR> block = {0, 3, u'a', u'b', u'c', 2, u'x', u'y'};
    WCHAR out[3];
    EXPECT_TRUE(StringOfBlock(block.data(), block.size(), 1, out, 3));
    EXPECT_EQ(WString(out), TEXT("ab"));
    EXPECT_FALSE(StringOfBlock(block.data(), block.size(), 0, out, 3));
    EXPECT_TRUE(StringOfBlock(block.data(), block.size(), 2, out, 3));
    EXPECT_EQ(WString(out), TEXT("xy"));
    EXPECT_FALSE(StringOfBlock(block.data(), block.size(), 3, out, 3));
    block[5] = 3; // runs one past the end
    EXPECT_FALSE(StringOfBlock(block.data(), block.size(), 2, out, 3));
    block.assign(40, 0);
    block[17] = 1;
    EXPECT_FALSE(StringOfBlock(block.data(), block.size(), 16, out, 3));
    EXPECT_EQ(out[0], 0);
}

} // namespace

// The help file by the user's language, the help tables, when the help engine is asked, and which
// of the module's own help strings answers a context.
#include "ui/help.h"

#include "tests/support/seam_override.h"
#include "resources/resource.h"
#include "tests/support/devmode_bytes.h"
#include "ui/dialog_host.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/posix/standin_control.h"

namespace {

using Request = std::tuple<HWND, WString, UINT, ULONG_PTR>;

const WString kDir = TEXT("C:\\windows\\system32\\spool\\drivers\\x64"); // the stand-in's
const WString kEnglish = kDir + TEXT("\\2\\QTKLVEN.HLP"),
              kJapanese = kDir + TEXT("\\2\\QTKLVJP.HLP");

LANGID language;
DWORD majorVersion; // 0: the call fails
std::vector<Request> requests;

// The user's language, the system's version and the help engine as each test sets them.
struct Help : ::testing::Test {
    static LANGID WINAPI Language() { return language; }
    static LONG WINAPI Version(RTL_OSVERSIONINFOW* info) {
        info->dwMajorVersion = majorVersion;
        return majorVersion == 0 ? -1 : 0;
    }
    static BOOL WINAPI Record(HWND window, LPCWSTR file, UINT command, ULONG_PTR data) {
        requests.emplace_back(window, file ? file : WString(), command, data);
        return TRUE;
    }
    Help() { language = 1033, majorVersion = 5, requests.clear(); }

    SeamOverride<decltype(g_dialogHost.GetUserDefaultLangID)> languageSeam{
        g_dialogHost.GetUserDefaultLangID, &Language};
    SeamOverride<decltype(g_dialogHost.WinHelpW)> helpSeam{g_dialogHost.WinHelpW, &Record};
    SeamOverride<decltype(g_dialogHost.RtlGetVersion)> versionSeam{g_dialogHost.RtlGetVersion,
                                                                   &Version};
};

// Only language 1041 gets the Japanese file; either lies in the subdirectory 2 of the driver
// directory; each request names the file, its window and the page's table, and frees the name.
TEST_F(Help, RequestsNameTheFileOfTheUsersLanguage) {
    const WString otherDir = TEXT("D:\\DRIVERS\\W32X86"),
                  otherEnglish = otherDir + TEXT("\\2\\QTKLVEN.HLP");
    const auto present = [&](bool on) {
        for (const WString& file : {kJapanese, kEnglish, otherEnglish}) {
            standin::SetFilePresent(file, on);
        }
    };
    present(true);
    auto* window = reinterpret_cast<HWND>(0x1234);
    const long live = standin::LiveAllocations();
    language = 1041, ShowControlHelp(window, slope::aPaperDlgHelpIDs);
    language = 1033, ShowContextMenuHelp(window, material::aPaperDlgHelpIDs);
    language = 0x0811, standin::SetDriverDirectory(otherDir), ShowHelpContents(nullptr);
    standin::SetDriverDirectory(kDir);
    EXPECT_EQ(requests,
              (std::vector<Request>{
                  {window, kJapanese, HELP_WM_HELP, ULONG_PTR(slope::aPaperDlgHelpIDs)},
                  {window, kEnglish, HELP_CONTEXTMENU, ULONG_PTR(material::aPaperDlgHelpIDs)},
                  {nullptr, otherEnglish, HELP_CONTENTS, 0}}));
    EXPECT_EQ(standin::LiveAllocations(), live) << "a help file name was not freed";
    present(false);
}

// The engine is asked only with the help file of the user's language present on a system from
// before Windows Vista (major version 6); an unreadable version counts as a later system.
TEST_F(Help, EngineAskedOnlyWhereItCanAnswer) {
    // the file present (none: empty), the system's major version, asked
    const std::tuple<WString, DWORD, bool> cases[] = {{kEnglish, 5, true},   {kEnglish, 6, false},
                                                      {kEnglish, 0, false},  {kEnglish, 10, false},
                                                      {kJapanese, 5, false}, {{}, 5, false}};
    for (const auto& [file, version, asked] : cases) {
        standin::SetFilePresent(file, true);
        majorVersion = version;
        requests.clear();
        const int made = ShowHelpContents(nullptr) + ShowControlHelp(nullptr, nullptr) +
                         ShowContextMenuHelp(nullptr, nullptr); // each of them asked
        EXPECT_EQ(std::pair(made, requests.size()), std::pair(3 * asked, 3ul * asked)) << version;
        standin::SetFilePresent(file, false);
    }
}

TEST(HelpFile, NoneWithoutTheDriverDirectoryOrMemory) {
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

// Each context has its own topic: the Japanese texts of contexts 1100 to 1401 are strings 901 to
// 934 in context order, and a context outside the tables has none. (The English texts, the
// captions and the choice of language show in the pages' help windows.)
TEST(HelpTopics, ContextsFindTheirJapaneseTexts) {
    // context, Japanese text (0: no topic)
    const std::pair<DWORD, UINT> cases[] = {{1100, 901}, {1115, 916}, {1200, 917}, {1209, 926},
                                            {1300, 927}, {1305, 932}, {1400, 933}, {1401, 934},
                                            {1099, 0},   {1116, 0},   {1199, 0},   {1210, 0},
                                            {1306, 0},   {1402, 0},   {0, 0}};
    for (const auto& [context, japaneseText] : cases) {
        const UINT topic = HelpTopicOf(context);
        EXPECT_EQ(topic == 0 ? 0 : HelpTextId(topic, true), japaneseText) << context;
    }
}

// A table maps a control to its context and ends at its first pair of zeros, not at a zero
// control alone; a page's help window lists each context of its table once, in table order.
TEST(HelpTables, MapControlsAndListTheirTopicsOnce) {
    const DWORD zeroControl[] = {0, 5, 9, 1, 0, 0, 7, 3};
    EXPECT_EQ(std::tuple(FindHelpContext(material::aPaperDlgHelpIDs, 402),
                         FindHelpContext(zeroControl, 9), FindHelpContext(zeroControl, 7)),
              std::tuple(1115u, 1u, 0u));
    UINT topics[kHelpTopics];
    const auto listed = [&](const DWORD* table) {
        return std::vector<UINT>(topics, topics + TableTopics(table, topics));
    };
    EXPECT_EQ(listed(material::aPaperDlgHelpIDs),
              (std::vector<UINT>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    EXPECT_EQ(listed(slope::aPaperDlgHelpIDs), (std::vector<UINT>{33, 34}));
    EXPECT_EQ(listed(correction::aPaperDlgHelpIDs).size(), 10u);
    const DWORD unknown[] = {5, 999, 6, 1305, 7, 1300, 8, 1305, 0, 0};
    EXPECT_EQ(listed(unknown), (std::vector<UINT>{32, 27}));
}

// A string of a resource block: the counted strings before it are skipped; a count running past
// the block, or an index past the 16 strings, finds nothing; the copy is cut to the room given.
TEST(HelpStrings, StayInsideTheirBlock) {
    const WString block = {0, 3, 'a', 'b', 'c', 2, 'x', 'y'},
                  past = {0, 3, 'a', 'b', 'c', 3, 'x', 'y'};
    WString sixteen(40, 0); // sixteen empty strings, then one that no block holds
    sixteen[16] = 1, sixteen[17] = 'z';
    // block, index, room given, what is copied
    const std::tuple<const WString*, UINT, int, std::string> cases[] = {
        {&block, 1, 3, "ab"}, {&block, 0, 3, ""},    {&block, 2, 3, "xy"}, {&block, 3, 3, ""},
        {&past, 2, 3, ""},    {&sixteen, 16, 3, ""}, {&block, 1, 0, "???"}};
    for (const auto& [b, index, room, text] : cases) {
        WCHAR out[3] = {'?', '?', '?'};
        EXPECT_EQ(StringOfBlock(b->data(), b->size(), index, out, room), room > 0 && !text.empty())
            << index;
        EXPECT_EQ(testdm::Narrow(out, 3), text) << index;
    }
}

} // namespace

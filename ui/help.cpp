#include "ui/help.h"

#include "resources/resource.h"
#include "ui/dialog_host.h"

#include <winspool.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr LANGID kJapanese = 1041;
constexpr WCHAR kJapaneseHelp[] = TEXT("\\2\\QTKLVJP.HLP");
constexpr WCHAR kEnglishHelp[] = TEXT("\\2\\QTKLVEN.HLP");

// Runs of consecutive help contexts and the topic of each run's first.
struct ContextRun {
    DWORD first;
    DWORD last;
    UINT topic;
};
constexpr ContextRun kContextRuns[] = {
    {1100, 1115, 1}, {1200, 1209, 17}, {1300, 1305, 27}, {1400, 1401, 33}};

constexpr UINT kBlockStrings = 16;

bool HelpFilePresent(LPCWSTR file) {
    return file != nullptr && GetFileAttributesW(file) != INVALID_FILE_ATTRIBUTES;
}

// Without the help file, or on a system without the engine, asking it would only bring up its
// complaint: the request is not made.
bool RequestHelp(HWND window, UINT command, ULONG_PTR data) {
    LPWSTR file = GetHelpFileName();
    const bool answers = HelpEngineAnswers(HelpFilePresent(file), SystemMajorVersion());
    if (answers) {
        g_dialogHost.WinHelpW(window, file, command, data);
    }
    GlobalFree(file);
    return answers;
}

} // namespace

LPWSTR GetHelpFileName() {
    const bool japanese = HelpInJapanese();
    LPCWSTR name = japanese ? kJapaneseHelp : kEnglishHelp;
    const DWORD nameBytes = (japanese ? sizeof kJapaneseHelp : sizeof kEnglishHelp) - sizeof(WCHAR);

    DWORD needed = 0;
    if (GetPrinterDriverDirectoryW(nullptr, nullptr, 1, nullptr, 0, &needed) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return nullptr;
    }
    auto path = static_cast<LPWSTR>(GlobalAlloc(GMEM_FIXED, needed + nameBytes));
    if (path == nullptr) {
        return nullptr;
    }
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(path), needed,
                                    &needed)) {
        GlobalFree(path);
        return nullptr;
    }
    const int length = lstrlenW(path);
    std::memcpy(path + length, name, nameBytes + sizeof(WCHAR));
    return path;
}

DWORD FindHelpContext(const DWORD* table, int controlId) {
    for (; table[0] != 0 || table[1] != 0; table += 2) {
        if (table[0] == static_cast<DWORD>(controlId)) {
            return table[1];
        }
    }
    return 0;
}

bool HelpEngineAnswers(bool helpFilePresent, DWORD majorVersion) {
    return helpFilePresent && majorVersion != 0 && majorVersion < 6;
}

bool ShowControlHelp(HWND control, const DWORD* table) {
    return RequestHelp(control, HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(table));
}

bool ShowContextMenuHelp(HWND clicked, const DWORD* table) {
    return RequestHelp(clicked, HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(table));
}

bool ShowHelpContents(HWND owner) {
    return RequestHelp(owner, HELP_CONTENTS, 0);
}

UINT HelpTopicOf(DWORD context) {
    for (const ContextRun& run : kContextRuns) {
        if (context >= run.first && context <= run.last) {
            return run.topic + (context - run.first);
        }
    }
    return 0;
}

bool HelpInJapanese() {
    return g_dialogHost.GetUserDefaultLangID() == kJapanese;
}

UINT HelpTextId(UINT topic, bool japanese) {
    return (japanese ? IDS_HELP_TEXT_JAPANESE : IDS_HELP_TEXT_ENGLISH) + topic;
}

UINT HelpCaptionId(UINT topic, bool japanese) {
    return (japanese ? IDS_HELP_CAPTION_JAPANESE : IDS_HELP_CAPTION_ENGLISH) + topic;
}

UINT TableTopics(const DWORD* table, UINT (&topics)[kHelpTopics]) {
    UINT count = 0;
    for (; table[0] != 0 || table[1] != 0; table += 2) {
        const UINT topic = HelpTopicOf(table[1]);
        const UINT* const end = topics + count;
        if (topic != 0 && count < kHelpTopics &&
            std::find(static_cast<const UINT*>(topics), end, topic) == end) {
            topics[count++] = topic;
        }
    }
    return count;
}

bool StringOfBlock(const WCHAR* block, size_t blockChars, UINT index, LPWSTR out, int outChars) {
    if (outChars <= 0) {
        return false;
    }
    out[0] = 0;
    size_t at = 0;
    for (UINT i = 0; i < index && i < kBlockStrings && at < blockChars; ++i) {
        at += 1 + block[at];
    }
    if (index >= kBlockStrings || at >= blockChars || block[at] == 0 ||
        block[at] > blockChars - at - 1) {
        return false;
    }
    const size_t length = std::min<size_t>(block[at], static_cast<size_t>(outChars) - 1);
    std::memcpy(out, block + at + 1, length * sizeof(WCHAR));
    out[length] = 0;
    return true;
}

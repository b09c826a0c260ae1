#include "ui/help.h"

#include "ui/dialog_host.h"

#include <winspool.h>

#include <cstring>

namespace {

constexpr LANGID kJapanese = 1041;
constexpr WCHAR kJapaneseHelp[] = TEXT("\\2\\QTKLVJP.HLP");
constexpr WCHAR kEnglishHelp[] = TEXT("\\2\\QTKLVEN.HLP");

void RequestHelp(HWND window, UINT command, ULONG_PTR data) {
    LPWSTR file = GetHelpFileName();
    // The help engine is asked even without a file: it then finds none.
    g_dialogHost.WinHelpW(window, file, command, data);
    GlobalFree(file);
}

} // namespace

LPWSTR GetHelpFileName() {
    const bool japanese = g_dialogHost.GetUserDefaultLangID() == kJapanese;
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

void ShowControlHelp(HWND control, const DWORD* table) {
    RequestHelp(control, HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(table));
}

void ShowContextMenuHelp(HWND clicked, const DWORD* table) {
    RequestHelp(clicked, HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(table));
}

void ShowHelpContents(HWND owner) {
    RequestHelp(owner, HELP_CONTENTS, 0);
}

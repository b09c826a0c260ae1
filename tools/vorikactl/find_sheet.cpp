#include "tools/vorikactl/find_sheet.h"

#include <commctrl.h>
#include <prsht.h>

HWND FindThreadSheet() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            if (PropSheet_GetTabControl(window) == nullptr) {
                return TRUE;
            }
            *reinterpret_cast<HWND*>(out) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

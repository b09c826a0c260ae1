// Built in the windows tree only, with the dialogs that answer these messages.
#include "ui/help.h"

INT_PTR AnswerHelpMessage(UINT message, WPARAM wParam, LPARAM lParam, const DWORD* table) {
    if (message == WM_HELP) {
        ShowControlHelp(static_cast<HWND>(reinterpret_cast<const HELPINFO*>(lParam)->hItemHandle),
                        table);
    } else {
        ShowContextMenuHelp(reinterpret_cast<HWND>(wParam), table);
    }
    return TRUE;
}

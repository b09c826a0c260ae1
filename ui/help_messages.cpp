// Built in the windows tree only, with the dialogs that answer these messages.
#include "ui/help.h"
#include "ui/help_popup.h"

INT_PTR AnswerHelpMessage(UINT message, WPARAM wParam, LPARAM lParam, const DWORD* table) {
    if (message == WM_HELP) {
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        auto control = static_cast<HWND>(info->hItemHandle);
        // Help asked on a menu item names a menu, not a window: the pages have no menus.
        if (!ShowControlHelp(control, table) && info->iContextType == HELPINFO_WINDOW) {
            ShowHelpPopup(control, table);
        }
    } else {
        auto clicked = reinterpret_cast<HWND>(wParam);
        if (!ShowContextMenuHelp(clicked, table)) {
            ShowHelpPopup(clicked, table);
        }
    }
    return TRUE;
}

void ShowPageHelp(HWND engineOwner, HWND page, const DWORD* table) {
    if (!ShowHelpContents(engineOwner)) {
        ShowHelpWindow(page, table);
    }
}

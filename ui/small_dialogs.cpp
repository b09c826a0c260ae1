#include "ui/small_dialogs.h"

#include "ui/help.h"
#include "ui/page_common.h"

#include <prsht.h>

namespace {

// Puts the caret after the last character of an edit control.
void CaretToEnd(HWND dialog, int id) {
    SendDlgItemMessageW(dialog, id, EM_SETSEL, 65535, 65535);
}

void ReplaceSelection(HWND dialog, int id, LPCWSTR text) {
    SendDlgItemMessageW(dialog, id, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

} // namespace

INT_PTR WarningDlg(HINSTANCE instance, HWND owner, LPVOID) {
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(kWarningTemplate), owner, WarningDlgFn, 0);
}

INT_PTR CALLBACK WarningDlgFn(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        EndDialog(dialog, static_cast<INT_PTR>(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR AboutDlg(HINSTANCE instance, HWND owner) {
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(kAboutTemplate), owner, AboutProc, 0);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, static_cast<INT_PTR>(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK UtilityProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const UiData* ui = TakePageUiData(dialog, lParam);
        InitInfomation(dialog, kInfoEdit);
        if (ui != nullptr) {
            AddInfomation(dialog, kInfoEdit, ui->pDriverName);
        }
        return TRUE;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == static_cast<UINT>(PSN_HELP)) {
            // The page has no help table of its own: its help is the driver's general topic.
            ShowPageHelp(header->hwndFrom, dialog, nullptr);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void InitInfomation(HWND dialog, int id) {
    SetDlgItemTextW(dialog, id, L"");
}

void AddInfomation(HWND dialog, int id, LPCWSTR text) {
    CaretToEnd(dialog, id);
    ReplaceSelection(dialog, id, text);
    CaretToEnd(dialog, id);
    ReplaceSelection(dialog, id, L"\r\n");
}

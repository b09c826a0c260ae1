// The numeric field operations on a dialog's controls, over the pure text functions.
#include "ui/numeric_dialog.h"

namespace {

// The field's text, at most `chars` characters.
void ReadField(HWND dialog, int id, LPWSTR text, int chars) {
    text[0] = 0;
    GetDlgItemTextW(dialog, id, text, chars + 1);
}

} // namespace

BOOL checkDigit(HWND dialog, int id) {
    if (!IsWindowEnabled(dialog)) {
        return FALSE;
    }
    const DWORD selection = static_cast<DWORD>(SendDlgItemMessageW(dialog, id, EM_GETSEL, 0, 0));
    const int start = LOWORD(selection);
    const int end = HIWORD(selection);
    WCHAR text[kFilterChars + 1];
    ReadField(dialog, id, text, kFilterChars);
    WCHAR filtered[kFilterChars + 1];
    if (FilterNumericText(text, filtered) == 0) {
        return TRUE;
    }
    // Writing the text raises the field's change notification again; that pass removes nothing.
    SetDlgItemTextW(dialog, id, filtered);
    SendDlgItemMessageW(dialog, id, EM_SETSEL, static_cast<WPARAM>(start - 1), end - 1);
    return FALSE;
}

BOOL getDlgCtrlRect(HWND dialog, int id, RECT* rect, POINT* topLeft, POINT* bottomRight) {
    HWND control = GetDlgItem(dialog, id);
    GetClientRect(control, rect);
    *topLeft = {rect->left, rect->top};
    *bottomRight = {rect->right - 1, rect->bottom - 1};
    ClientToScreen(control, topLeft);
    ScreenToClient(dialog, topLeft);
    ClientToScreen(control, bottomRight);
    return ScreenToClient(dialog, bottomRight);
}

LONG GetUserUnit(HWND dialog, int id, BOOL inch, LONG max, LONG min) {
    WCHAR text[kParseChars + 1];
    ReadField(dialog, id, text, kParseChars);
    return ParseUserUnit(text, inch, max, min);
}

BOOL ShowUserUnit(HWND dialog, int id, BOOL inch, LONG value) {
    WCHAR text[kShowChars];
    FormatUserUnit(text, inch, value);
    return SetDlgItemTextW(dialog, id, text);
}

LONG GetLong(HWND dialog, int id, LONG max, LONG min) {
    WCHAR text[kParseChars + 1];
    ReadField(dialog, id, text, kParseChars);
    return ParseLong(text, max, min);
}

BOOL ShowLong(HWND dialog, int id, LONG value) {
    WCHAR text[kShowChars];
    FormatLong(text, value);
    return SetDlgItemTextW(dialog, id, text);
}

// The module's own help, for systems whose help engine can't answer: a control's help text in a
// popup beside it, as the platform shows context help, and a page's topics in a help window. Both
// read the help strings in the user's language. Windows tree only.
#pragma once

#include <windows.h>

// The popup's window class, by which its windows can be found.
inline constexpr WCHAR kHelpPopupClass[] = L"VorikaHelpPopup";

// The help text of the control's context in a popup beside the control, closed by a click, a key
// or the loss of the focus; nothing for a control without a context in the table.
void ShowHelpPopup(HWND control, const DWORD* table);

// Each topic of the table (caption, then text), or the driver's general topic for a null table,
// in a modal help window over the page's sheet; Escape closes it.
void ShowHelpWindow(HWND page, const DWORD* table);

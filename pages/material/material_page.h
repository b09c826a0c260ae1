// The Material page of the document sheet: work size, origin offsets, unit, print direction and
// the hidden service options, editing the settings record of the page's UI context in place.
#pragma once

#include "settings/printer_settings.h"

#include <windows.h>

INT_PTR CALLBACK PaperDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The work width and length in the record's unit.
void SetUserBox(HWND dialog, const PrinterSettings* ps);
// The offset rules, then both offsets shown.
void SetOffsetBox(HWND dialog, PrinterSettings* ps);
// Refills the resolution list and selects the frame index in force, which it returns.
LONG UpdateDpi(HWND dialog, SHORT baseDpi, LONG frameIdx);

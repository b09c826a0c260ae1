// Numeric entry fields on a dialog: read, limit and show a control's value through the text
// functions of ui/numeric_field.h.
#pragma once

#include "ui/numeric_field.h"

#include <windows.h>

// Removes from the control's text what a number cannot hold; TRUE when nothing had to go.
BOOL checkDigit(HWND dialog, int id);
BOOL getDlgCtrlRect(HWND dialog, int id, RECT* rect, POINT* topLeft, POINT* bottomRight);
LONG GetUserUnit(HWND dialog, int id, BOOL inch, LONG max, LONG min);
BOOL ShowUserUnit(HWND dialog, int id, BOOL inch, LONG value);
LONG GetLong(HWND dialog, int id, LONG max, LONG min);
BOOL ShowLong(HWND dialog, int id, LONG value);

// The Image correction page: brightness, contrast and gamma with the tone curve, the material
// preset and type, mirror printing and the hidden service controls. It edits the record of the
// UI context given as page parameter in place.
#pragma once

#include "settings/printer_settings.h"

#include <windows.h>

INT_PTR CALLBACK OutputDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Fill a list and select the (normalised) index, which they answer.
SHORT UpdateMaterial(HWND dialog, PrinterSettings* ps);
SHORT UpdateDitherPattern(HWND dialog, SHORT index);
SHORT UpdatePassMethod(HWND dialog, SHORT index);
SHORT UpdateDraftMethod(HWND dialog, SHORT index);
// Brings the material list, drafting and low-cut controls in line with a new material type.
void SetNewType(HWND dialog, PrinterSettings* ps);
// Asks for the tone curve to be drawn again.
void InvalidCorrect(HWND dialog, BOOL erase);
SHORT GetGamma(HWND dialog, int id, SHORT max, SHORT min);
void SetGammaValue(HWND dialog, LONG gamma);

// The work view of the Material page, drawn in the area of its invisible control 217.
#pragma once

#include "settings/printer_settings.h"

#include <windows.h>

// Draws the marking field, the work to scale and the dots where printing starts onto the page's
// paint surface, with the surface's current pen.
void DrawMaterial(HWND dialog, HDC surface, const PrinterSettings* ps);

// Asks for the view area to be repainted, background erased. The flag is not read.
void InvalidWorkView(HWND dialog, int flag);

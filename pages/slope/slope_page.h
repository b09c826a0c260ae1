// The Slope correction page: the switch and the four readings of the slope test print, the
// test-print buttons, and the ratio displays and further test prints kept for service.
#pragma once

#include "settings/printer_settings.h"

#include <windows.h>

// The page's dialog procedure; its page parameter is the request's UI context.
INT_PTR CALLBACK SlopeDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Loads every control from the record.
void SetParams(HWND hDlg, const PrinterSettings* record);

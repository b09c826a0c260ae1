// The document requests behind the exported entry points.
#pragma once

#include "entry/driver_ui.h"

// Builds the request header; with DM_PROMPT the document sheet answers, otherwise
// SimpleDocumentProperties.
LONG PsDocumentProperties(HWND hWnd, HANDLE hPrinter, LPWSTR pDeviceName, DEVMODEW* pdmOutput,
                          DEVMODEW* pdmInput, DWORD fMode);

// A request without a sheet: 1756 when no output is asked for, 1 when the merged DEVMODE was
// written in the caller's layout, -1 when no UI context could be built.
LONG SimpleDocumentProperties(DOCUMENTPROPERTYHEADER* header);

// vorikactl sheet and printer-sheet: the driver's sheets as an application opens them.
#pragma once

#include <windows.h>

// What the sheets are opened for: a person to work them, or pictures of every page.
struct SheetOptions {
    LPCWSTR picturesDirectory = nullptr; // when set: every page saved, then the sheet cancelled
    LANGID language = 0;                 // 0: the user's own
};

// The document sheet through DocumentPropertiesW with a prompt; prints the answer and the
// DEVMODE it wrote. Returns the process exit status.
int DocumentSheet(LPCWSTR printerName, const SheetOptions& options);

// The printer sheet through the driver's PrinterProperties. Returns the process exit status.
int PrinterSheet(LPCWSTR printerName, const SheetOptions& options);

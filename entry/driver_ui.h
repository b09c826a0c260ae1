// The records the spooler hands a printer-driver user interface, and its exported entry points.
#pragma once

#include "settings/devmode_convert.h" // the CDM_* modes of DrvConvertDevMode

#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

// Request header of a document-properties request (its cbSize is sizeof: 28 bytes is the 32-bit
// record).
struct DOCUMENTPROPERTYHEADER {
    WORD cbSize;
    WORD Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    DEVMODEW* pdmIn;
    DEVMODEW* pdmOut;
    DWORD cbOut;
    DWORD fMode;
};

// Request header of a printer-properties request (sizeof, as above; 12 bytes in 32 bits).
struct DEVICEPROPERTYHEADER {
    WORD cbSize;
    WORD Flags;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
};

struct DEVQUERYPRINT_INFO {
    WORD cbSize;
    WORD Level;
    HANDLE hPrinter;
    DEVMODEW* pDevMode;
    LPWSTR pszErrorStr;
    DWORD cchErrorStr;
    DWORD cchNeeded;
};

#define DPS_NOPERMISSION 0x0001

extern "C" {
BOOL WINAPI DllInitialize(HINSTANCE hModule, DWORD reason, LPVOID reserved);
LONG WINAPI DrvDocumentPropertySheets(PROPSHEETUI_INFO* pPSUIInfo, LPARAM lParam);
LONG WINAPI DrvDevicePropertySheets(PROPSHEETUI_INFO* pPSUIInfo, LPARAM lParam);
LONG WINAPI DrvDocumentProperties(HWND hWnd, HANDLE hPrinter, LPWSTR pDeviceName,
                                  DEVMODEW* pdmOutput, DEVMODEW* pdmInput, DWORD fMode);
LONG WINAPI DrvAdvancedDocumentProperties(HWND hWnd, HANDLE hPrinter, LPWSTR pDeviceName,
                                          DEVMODEW* pdmOutput, DEVMODEW* pdmInput);
BOOL WINAPI DrvUpgradePrinter(DWORD level, LPBYTE pInfo);
BOOL WINAPI DevQueryPrintEx(DEVQUERYPRINT_INFO* pInfo);
BOOL WINAPI DrvPrinterEvent(LPWSTR pPrinterName, INT event, DWORD flags, LPARAM lParam);
DWORD WINAPI DrvDeviceCapabilities(HANDLE hPrinter, LPWSTR pDeviceName, WORD capability,
                                   LPVOID pOutput, DEVMODEW* pdmSrc);
#ifndef _WIN32
// The platform's winspool declares it for applications; the host tree's stand-in does not.
BOOL WINAPI PrinterProperties(HWND hWnd, HANDLE hPrinter);
#endif
BOOL WINAPI DrvConvertDevMode(LPWSTR pPrinterName, DEVMODEW* pdmIn, DEVMODEW* pdmOut,
                              LONG* pcbNeeded, DWORD fMode);
}

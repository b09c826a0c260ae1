// The records the spooler hands a printer-driver user interface, and its exported entry points.
#pragma once

#include <windows.h>
#include <winspool.h>
#include <winddiui.h>

// Request header of a document-properties request.
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

// Request header of a printer-properties request.
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

#define CDM_CONVERT 0x01
#define CDM_CONVERT351 0x02
#define CDM_DRIVER_DEFAULT 0x04

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

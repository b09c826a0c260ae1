// The calls of the entry points that a test can neither control nor observe on a real desktop:
// loading the property-sheet host and broadcasting a DEVMODE change to every top-level window.
#pragma once

#include <windows.h>
#include <winddiui.h>

struct SheetHostOps {
    // Loads "compstui.dll"; the caller frees the module after the request.
    HMODULE(WINAPI* LoadSheetHost)();
    // GetProcAddress and FreeLibrary on the loaded host.
    FARPROC(WINAPI* FindSheetEntry)(HMODULE host, LPCSTR name);
    BOOL(WINAPI* FreeSheetHost)(HMODULE host);
    // SendMessageW as used for HWND_BROADCAST.
    LRESULT(WINAPI* Broadcast)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

extern SheetHostOps g_sheetHost;
extern const SheetHostOps kPlatformSheetHost;

// The host's entry point that runs a sheet.
typedef LONG(WINAPI* CommonPropertySheetUIWFn)(HWND owner, PFNPROPSHEETUI sheet, LPARAM lParam,
                                               LPDWORD pResult);

// Loads the host, runs the sheet function through its "CommonPropertySheetUIW" and unloads it;
// the host's answer, or -1 when the host or its entry point is missing. The host writes the
// sheet's result through pResult.
LONG CallCompstui(HWND hWnd, PFNPROPSHEETUI pfnSheet, LPARAM lParam, LPDWORD pResult);

// Tells every top-level window that the DEVMODE of the named device changed.
void BroadcastDevModeChange(LPCWSTR deviceName);

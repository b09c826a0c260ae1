// The calls of the entry points that a test can neither control nor observe on a real desktop:
// loading the property-sheet host and broadcasting a DEVMODE change to every top-level window.
#pragma once

#include <windows.h>

struct SheetHostOps {
    // Loads "compstui.dll"; the caller frees the module after the request.
    HMODULE(WINAPI* LoadSheetHost)();
    // SendMessageW as used for HWND_BROADCAST.
    LRESULT(WINAPI* Broadcast)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

extern SheetHostOps g_sheetHost;
extern const SheetHostOps kPlatformSheetHost;

// Tells every top-level window that the DEVMODE of the named device changed.
void BroadcastDevModeChange(LPCWSTR deviceName);

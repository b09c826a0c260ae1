#include "entry/sheet_host.h"

namespace {

constexpr WCHAR szCompstui[] = TEXT("compstui.dll");
constexpr char szCommonPropSheetUI[] = "CommonPropertySheetUIW";

HMODULE WINAPI LoadCompstui() {
    return LoadLibraryW(szCompstui);
}

FARPROC WINAPI FindEntry(HMODULE host, LPCSTR name) {
    return GetProcAddress(host, name);
}

BOOL WINAPI FreeHost(HMODULE host) {
    return FreeLibrary(host);
}

} // namespace

const SheetHostOps kPlatformSheetHost = {LoadCompstui, FindEntry, FreeHost, ::SendMessageW};

SheetHostOps g_sheetHost = kPlatformSheetHost;

void BroadcastDevModeChange(LPCWSTR deviceName) {
    g_sheetHost.Broadcast(HWND_BROADCAST, WM_DEVMODECHANGE, 0,
                          reinterpret_cast<LPARAM>(deviceName));
}

LONG CallCompstui(HWND hWnd, PFNPROPSHEETUI pfnSheet, LPARAM lParam, LPDWORD pResult) {
    HMODULE host = g_sheetHost.LoadSheetHost();
    if (host == nullptr) {
        return -1;
    }
    auto run = reinterpret_cast<CommonPropertySheetUIWFn>(
        reinterpret_cast<void*>(g_sheetHost.FindSheetEntry(host, szCommonPropSheetUI)));
    const LONG answer = run != nullptr ? run(hWnd, pfnSheet, lParam, pResult) : -1;
    g_sheetHost.FreeSheetHost(host);
    return answer;
}

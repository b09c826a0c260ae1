#include "entry/sheet_host.h"

namespace {

HMODULE WINAPI LoadCompstui() {
    return LoadLibraryW(TEXT("compstui.dll"));
}

} // namespace

const SheetHostOps kPlatformSheetHost = {LoadCompstui, ::SendMessageW};

SheetHostOps g_sheetHost = kPlatformSheetHost;

void BroadcastDevModeChange(LPCWSTR deviceName) {
    g_sheetHost.Broadcast(HWND_BROADCAST, WM_DEVMODECHANGE, 0,
                          reinterpret_cast<LPARAM>(deviceName));
}

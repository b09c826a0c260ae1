// The module's start and stop.
#include "context/module_instance.h"
#include "context/ppd_cache.h"
#include "entry/driver_ui.h"

namespace {

// The spooler may unload a configuration module while a window of ours still runs its code; one
// more reference by our own path keeps the module for the life of the process.
void PinModule(HINSTANCE hModule) {
    WCHAR path[MAX_PATH];
    if (GetModuleFileNameW(hModule, path, MAX_PATH) != 0) {
        LoadLibraryW(path);
    }
}

} // namespace

extern "C" BOOL WINAPI DllInitialize(HINSTANCE hModule, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        ghInstance = hModule;
        PinModule(hModule);
        StartPpdCache();
        break;
    case DLL_PROCESS_DETACH:
        StopPpdCache();
        break;
    default:
        break;
    }
    return TRUE;
}

// The DLL's entry point: the runtime's start-up runs first, then the module's own.
#include "entry/driver_ui.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hModule, DWORD reason, LPVOID reserved) {
    return DllInitialize(hModule, reason, reserved);
}

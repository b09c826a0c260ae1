#include "ui/dialog_host.h"

#ifdef _WIN32
namespace {

// ntdll exports the call without an import library declaration for it: it is looked up.
LONG WINAPI KernelVersion(RTL_OSVERSIONINFOW* info) {
    using Call = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto call = reinterpret_cast<Call>(reinterpret_cast<void*>(
        ntdll != nullptr ? GetProcAddress(ntdll, "RtlGetVersion") : nullptr));
    constexpr LONG kNotImplemented = static_cast<LONG>(0xC0000002);
    return call != nullptr ? call(info) : kNotImplemented;
}

} // namespace
#else
#define KernelVersion ::RtlGetVersion
#endif

const DialogHostOps kPlatformDialogHost = {
    ::GetAsyncKeyState, ::GetProfileIntW,   ::GetUserDefaultLangID, KernelVersion,
    ::WinHelpW,         ::GetOpenFileNameW, ::GetSaveFileNameW,
};

DialogHostOps g_dialogHost = kPlatformDialogHost;

INT GetUserCountryCode() {
    return static_cast<INT>(g_dialogHost.GetProfileIntW(TEXT("intl"), TEXT("iCountry"), 0));
}

DWORD SystemMajorVersion() {
    RTL_OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    return g_dialogHost.RtlGetVersion(&info) == 0 ? info.dwMajorVersion : 0;
}

bool IsKeyHeld(int key) {
    return (g_dialogHost.GetAsyncKeyState(key) & 0x8000) != 0;
}

#include "ui/dialog_host.h"

namespace {

// ntdll exports the call without an import library declaration for it: it is looked up. The
// stand-in platform declares it.
LONG WINAPI KernelVersion(RTL_OSVERSIONINFOW* info) {
#ifdef _WIN32
    using Call = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto call = reinterpret_cast<Call>(reinterpret_cast<void*>(
        ntdll != nullptr ? GetProcAddress(ntdll, "RtlGetVersion") : nullptr));
    constexpr LONG kNotImplemented = static_cast<LONG>(0xC0000002);
    return call != nullptr ? call(info) : kNotImplemented;
#else
    return ::RtlGetVersion(info);
#endif
}

using FileDialog = BOOL(WINAPI*)(LPOPENFILENAMEW ofn);

// The common dialogs (and the shell modules they bring) are loaded when a file dialog opens, not
// with this module: every application that asks a printer's capabilities loads this module, and
// only the settings file's Save and Load need them. Once loaded they stay for the process; a
// repeated load only counts up the module's references.
FileDialog CommonFileDialog(LPCSTR name) {
    HMODULE dialogs = LoadLibraryW(TEXT("comdlg32.dll"));
    return dialogs == nullptr ? nullptr
                              : reinterpret_cast<FileDialog>(
                                    reinterpret_cast<void*>(GetProcAddress(dialogs, name)));
}

// Without the common dialogs the user could choose no file: as if the dialog was cancelled.
BOOL WINAPI OpenFileDialog(LPOPENFILENAMEW ofn) {
    FileDialog dialog = CommonFileDialog("GetOpenFileNameW");
    return dialog != nullptr && dialog(ofn);
}

BOOL WINAPI SaveFileDialog(LPOPENFILENAMEW ofn) {
    FileDialog dialog = CommonFileDialog("GetSaveFileNameW");
    return dialog != nullptr && dialog(ofn);
}

} // namespace

const DialogHostOps kPlatformDialogHost = {
    ::GetAsyncKeyState, ::GetProfileIntW, ::GetUserDefaultLangID, KernelVersion,
    ::WinHelpW,         OpenFileDialog,   SaveFileDialog,
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

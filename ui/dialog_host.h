// The desktop calls of the pages and dialogs that a test can neither control nor observe on a
// real desktop: key and button state, the user's country and language, the system's version, the
// help engine and the common file dialogs. Everything else of the dialog platform is called
// directly.
#pragma once

#include <windows.h>
#ifdef _WIN32
#include <commdlg.h>
#endif

struct DialogHostOps {
    SHORT(WINAPI* GetAsyncKeyState)(int key);
    UINT(WINAPI* GetProfileIntW)(LPCWSTR app, LPCWSTR key, INT defaultValue);
    LANGID(WINAPI* GetUserDefaultLangID)();
    // The kernel's own version call: unlike GetVersionExW, compatibility settings don't change
    // what it reports.
    LONG(WINAPI* RtlGetVersion)(RTL_OSVERSIONINFOW* info);
    BOOL(WINAPI* WinHelpW)(HWND window, LPCWSTR file, UINT command, ULONG_PTR data);
    BOOL(WINAPI* GetOpenFileNameW)(LPOPENFILENAMEW ofn);
    BOOL(WINAPI* GetSaveFileNameW)(LPOPENFILENAMEW ofn);
};

// The table in force; its defaults are the platform's functions (the file dialogs load the
// common dialogs when they first open). Tests swap entries and restore.
extern DialogHostOps g_dialogHost;
extern const DialogHostOps kPlatformDialogHost;

// The user's country code ("intl" "iCountry" of the profile, 0 when unset).
INT GetUserCountryCode();

// The system's major version (6 and later: Windows Vista onwards); 0 when it can't be read.
DWORD SystemMajorVersion();

// True while the key or mouse button is held.
bool IsKeyHeld(int key);

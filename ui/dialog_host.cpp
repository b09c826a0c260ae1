#include "ui/dialog_host.h"

const DialogHostOps kPlatformDialogHost = {
    ::GetAsyncKeyState, ::GetProfileIntW,   ::GetUserDefaultLangID,
    ::WinHelpW,         ::GetOpenFileNameW, ::GetSaveFileNameW,
};

DialogHostOps g_dialogHost = kPlatformDialogHost;

INT GetUserCountryCode() {
    return static_cast<INT>(g_dialogHost.GetProfileIntW(TEXT("intl"), TEXT("iCountry"), 0));
}

bool IsKeyHeld(int key) {
    return (g_dialogHost.GetAsyncKeyState(key) & 0x8000) != 0;
}

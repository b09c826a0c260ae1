// The desktop values the pages read through the dialog host: the user's country and held keys;
// the common dialogs loaded only when a file dialog opens.
#include "ui/dialog_host.h"

#include "platform/posix/standin_control.h"
#include "tests/support/seam_override.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SHORT keyState = 0;
SHORT WINAPI KeyState(int) {
    return keyState;
}
UINT WINAPI Profile(LPCWSTR app, LPCWSTR key, INT fallback) {
    const std::basic_string<WCHAR> wanted = std::basic_string<WCHAR>(app) + TEXT("/") + key;
    return wanted == TEXT("intl/iCountry") && fallback == 0 ? 81 : 7;
}

TEST(DialogHost, CountryCodeIsTheProfilesIntlCountry) {
    SeamOverride seam(g_dialogHost.GetProfileIntW, &Profile);
    EXPECT_EQ(GetUserCountryCode(), 81);
}

// GetAsyncKeyState's high bit says held; the low bit only that it was pressed since.
TEST(DialogHost, KeyCountsAsHeldOnlyWithTheHighBit) {
    SeamOverride seam(g_dialogHost.GetAsyncKeyState, &KeyState);
    for (SHORT state : {SHORT(0x8000), SHORT(0x8001), SHORT(0x0001), SHORT(0x7FFF)}) {
        keyState = state;
        EXPECT_EQ(IsKeyHeld(VK_SHIFT), state < 0) << state;
    }
}

// The stand-in loads no module: a file dialog that cannot be had answers as a cancelled one.
TEST(DialogHost, FileDialogsLoadTheCommonDialogsWhenTheyOpen) {
    standin::ForgetLoadedLibraries();
    for (auto dialog : {kPlatformDialogHost.GetOpenFileNameW, kPlatformDialogHost.GetSaveFileNameW}) {
        EXPECT_EQ(standin::LoadedLibraries().size(), 0u);
        EXPECT_FALSE(dialog(nullptr));
        EXPECT_EQ(standin::LoadedLibraries(), std::vector<standin::WString>{TEXT("comdlg32.dll")});
        standin::ForgetLoadedLibraries();
    }
}

} // namespace

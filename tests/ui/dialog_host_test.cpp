// The desktop values the pages read through the dialog host: the user's country and held keys.
#include "ui/dialog_host.h"

#include "tests/support/seam_override.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SHORT keyState = 0;
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
    SeamOverride seam(
        g_dialogHost.GetAsyncKeyState, +[](int) -> SHORT { return keyState; });
    for (SHORT state : {SHORT(0x8000), SHORT(0x8001), SHORT(0x0001), SHORT(0x7FFF)}) {
        keyState = state;
        EXPECT_EQ(IsKeyHeld(VK_SHIFT), state < 0) << state;
    }
}

} // namespace

// The desktop values the pages read through the dialog host: the user's country and held keys.
#include "ui/dialog_host.h"

#include "tests/support/seam_override.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SHORT WINAPI Held(int) {
    return static_cast<SHORT>(0x8000);
}
SHORT WINAPI ToggledOnly(int) {
    return 0x0001;
}
UINT WINAPI Profile(LPCWSTR app, LPCWSTR key, INT fallback) {
    const std::basic_string<WCHAR> wanted = std::basic_string<WCHAR>(app) + TEXT("/") + key;
    return wanted == TEXT("intl/iCountry") ? 81 : fallback + 1000;
}

TEST(DialogHost, CountryCodeIsTheProfilesIntlCountry) {
    SeamOverride seam(g_dialogHost.GetProfileIntW, &Profile);
    EXPECT_EQ(GetUserCountryCode(), 81);
}

// GetAsyncKeyState's high bit says held; the low bit only that it was pressed since.
TEST(DialogHost, KeyCountsAsHeldOnlyWithTheHighBit) {
    {
        SeamOverride seam(g_dialogHost.GetAsyncKeyState, &Held);
        EXPECT_TRUE(IsKeyHeld(VK_MBUTTON));
    }
    SeamOverride seam(g_dialogHost.GetAsyncKeyState, &ToggledOnly);
    EXPECT_FALSE(IsKeyHeld(VK_SHIFT));
}

} // namespace

// The seams of the dialog platform: defaults reach the platform, swapped entries are used.
#include "ui/dialog_host.h"

#include "tests/support/seam_override.h"

#include <gtest/gtest.h>

#include <string>

namespace {

UINT WINAPI CountryJapan(LPCWSTR app, LPCWSTR key, INT) {
    const std::basic_string<WCHAR> intl = TEXT("intl");
    const std::basic_string<WCHAR> country = TEXT("iCountry");
    return (intl == app && country == key) ? 81 : 0;
}

SHORT WINAPI HeldState(int) {
    return static_cast<SHORT>(0x8000);
}
SHORT WINAPI ToggledOnly(int) {
    return 0x0001;
}

using WString = std::basic_string<WCHAR>;

WString Decimal(UINT value) {
    WString text;
    for (const char c : std::to_string(value)) {
        text += static_cast<WCHAR>(c);
    }
    return text;
}

// Sets the user's country for one test and puts the old setting back.
class CountryGuard {
  public:
    explicit CountryGuard(LPCWSTR value)
        : saved_(GetProfileIntW(TEXT("intl"), TEXT("iCountry"), -1)) {
        WriteProfileStringW(TEXT("intl"), TEXT("iCountry"), value);
    }
    ~CountryGuard() {
        const bool wasSet = saved_ != static_cast<UINT>(-1);
        WriteProfileStringW(TEXT("intl"), TEXT("iCountry"),
                            wasSet ? Decimal(saved_).c_str() : nullptr);
    }

  private:
    UINT saved_;
};

} // namespace

TEST(DialogHost, CountryCodeComesFromTheUserProfile) {
    CountryGuard japan(TEXT("81"));
    EXPECT_EQ(GetUserCountryCode(), 81);
    CountryGuard us(TEXT("1"));
    EXPECT_EQ(GetUserCountryCode(), 1);
}

TEST(DialogHost, SwappedCountryIsUsedAndRestored) {
    {
        SeamOverride seam(g_dialogHost.GetProfileIntW, &CountryJapan);
        EXPECT_EQ(GetUserCountryCode(), 81);
    }
    EXPECT_EQ(g_dialogHost.GetProfileIntW, kPlatformDialogHost.GetProfileIntW);
}

TEST(DialogHost, KeyCountsAsHeldOnlyWithTheHighBit) {
    {
        SeamOverride seam(g_dialogHost.GetAsyncKeyState, &HeldState);
        EXPECT_TRUE(IsKeyHeld(VK_MBUTTON));
    }
    {
        SeamOverride seam(g_dialogHost.GetAsyncKeyState, &ToggledOnly);
        EXPECT_FALSE(IsKeyHeld(VK_SHIFT));
    }
}

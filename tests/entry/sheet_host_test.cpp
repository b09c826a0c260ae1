// The DEVMODE-change broadcast goes to every top-level window, sent with the device name.
#include "entry/sheet_host.h"

#include "tests/support/seam_override.h"

#include <gtest/gtest.h>

namespace {

struct Broadcast {
    int count = 0;
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 1;
    LPARAM lParam = 0;
} seen;

LRESULT WINAPI RecordBroadcast(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    seen = {seen.count + 1, window, message, wParam, lParam};
    return 0;
}

} // namespace

TEST(SheetHost, DevModeChangeIsBroadcastWithTheDeviceName) {
    SeamOverride seam(g_sheetHost.Broadcast, &RecordBroadcast);
    const WCHAR name[] = TEXT("Velmar VORIKA KLV-20");
    BroadcastDevModeChange(name);
    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.window, HWND_BROADCAST);
    EXPECT_EQ(seen.message, 0x1Bu);
    EXPECT_EQ(seen.wParam, 0u);
    EXPECT_EQ(seen.lParam, reinterpret_cast<LPARAM>(name));
}

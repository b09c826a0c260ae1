// The host tree's stand-in DEVMODEW must lay out exactly like the platform's own record, or every
// DEVMODE the host tree tests would prove nothing about the DLL.
#include <windows.h>

#include <cstddef>

#include <gtest/gtest.h>

namespace standin {
#include "platform/posix/devmode.h"
} // namespace standin

#define SAME_FIELD(field)                                                                          \
    static_assert(offsetof(standin::DEVMODEW, field) == offsetof(::DEVMODEW, field));              \
    static_assert(sizeof(standin::DEVMODEW::field) == sizeof(::DEVMODEW::field))

SAME_FIELD(dmDeviceName);
SAME_FIELD(dmSpecVersion);
SAME_FIELD(dmDriverVersion);
SAME_FIELD(dmSize);
SAME_FIELD(dmDriverExtra);
SAME_FIELD(dmFields);
SAME_FIELD(dmOrientation);
SAME_FIELD(dmPaperSize);
SAME_FIELD(dmPaperLength);
SAME_FIELD(dmPaperWidth);
SAME_FIELD(dmScale);
SAME_FIELD(dmCopies);
SAME_FIELD(dmDefaultSource);
SAME_FIELD(dmPrintQuality);
SAME_FIELD(dmPosition);
SAME_FIELD(dmDisplayOrientation);
SAME_FIELD(dmDisplayFixedOutput);
SAME_FIELD(dmColor);
SAME_FIELD(dmDuplex);
SAME_FIELD(dmYResolution);
SAME_FIELD(dmTTOption);
SAME_FIELD(dmCollate);
SAME_FIELD(dmFormName);
SAME_FIELD(dmLogPixels);
SAME_FIELD(dmBitsPerPel);
SAME_FIELD(dmPelsWidth);
SAME_FIELD(dmPelsHeight);
SAME_FIELD(dmDisplayFlags);
SAME_FIELD(dmNup);
SAME_FIELD(dmDisplayFrequency);
SAME_FIELD(dmICMMethod);
SAME_FIELD(dmICMIntent);
SAME_FIELD(dmMediaType);
SAME_FIELD(dmDitherType);
SAME_FIELD(dmReserved1);
SAME_FIELD(dmReserved2);
SAME_FIELD(dmPanningWidth);
SAME_FIELD(dmPanningHeight);
static_assert(sizeof(standin::DEVMODEW) == sizeof(::DEVMODEW));
static_assert(alignof(standin::DEVMODEW) == alignof(::DEVMODEW));

// The wide literals of the sources are UTF-16 code units on both trees.
static_assert(sizeof(WCHAR) == 2);
static_assert(sizeof(TEXT("ア")) == 2 * sizeof(WCHAR));

// A wide literal with a Japanese character holds its UTF-16 code unit, as the material names and
// the resource texts need.
TEST(PlatformTypes, WideLiteralsAreUtf16) {
    const WCHAR text[] = TEXT("アルミ");
    EXPECT_EQ(text[0], static_cast<WCHAR>(0x30A2));
    EXPECT_EQ(text[1], static_cast<WCHAR>(0x30EB));
    EXPECT_EQ(text[2], static_cast<WCHAR>(0x30DF));
}

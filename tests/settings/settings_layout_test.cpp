// The byte layout of the settings record, the material presets and the driver DEVMODE.
//
// These records travel between processes, the registry and settings files, so every offset is
// pinned here at compile time.
#include <windows.h>

#include "settings/driver_devmode.h"
#include "settings/printer_settings.h"

#include <cstddef>

// One material preset.
static_assert(offsetof(MaterialEntry, ImpactMin) == 0);
static_assert(offsetof(MaterialEntry, ImpactMax) == 4);
static_assert(offsetof(MaterialEntry, Speed) == 8);
static_assert(offsetof(MaterialEntry, Reserved) == 12);
static_assert(offsetof(MaterialEntry, Name) == 16);
static_assert(sizeof(MaterialEntry::Name) == 64);
static_assert(sizeof(MaterialEntry) == 80);

// Nine presets, no padding between them.
static_assert(offsetof(MaterialSet, Entry) == 0);
static_assert(sizeof(MaterialSet) == 720);

// The private settings record.
static_assert(offsetof(PrinterSettings, UserDefinedX) == 0);
static_assert(offsetof(PrinterSettings, UserDefinedY) == 2);
static_assert(offsetof(PrinterSettings, Material) == 4);
static_assert(offsetof(PrinterSettings, prtIndex) == 6);
static_assert(offsetof(PrinterSettings, OffsetX) == 8);
static_assert(offsetof(PrinterSettings, OffsetY) == 10);
static_assert(offsetof(PrinterSettings, LimitX) == 12);
static_assert(offsetof(PrinterSettings, LimitY) == 14);
static_assert(offsetof(PrinterSettings, UserUnit) == 16);
static_assert(offsetof(PrinterSettings, DitherPat) == 18);
static_assert(offsetof(PrinterSettings, Gamma) == 20);
static_assert(offsetof(PrinterSettings, Brightness) == 22);
static_assert(offsetof(PrinterSettings, Contrast) == 24);
static_assert(offsetof(PrinterSettings, PassMethod) == 26);
static_assert(offsetof(PrinterSettings, BiDir) == 28);
static_assert(offsetof(PrinterSettings, Mirror) == 30);
static_assert(offsetof(PrinterSettings, Nega) == 32);
static_assert(offsetof(PrinterSettings, Draft) == 34);
static_assert(offsetof(PrinterSettings, LowCut) == 36);
static_assert(offsetof(PrinterSettings, LowCutPre) == 38);
static_assert(offsetof(PrinterSettings, LowCutPost) == 40);
static_assert(offsetof(PrinterSettings, FrameDpiIdx) == 42);
static_assert(offsetof(PrinterSettings, ULOrigin) == 44);
static_assert(offsetof(PrinterSettings, ReverseDir) == 45);
static_assert(offsetof(PrinterSettings, CmpMode) == 46);
static_assert(offsetof(PrinterSettings, FileOutput) == 47);
static_assert(offsetof(PrinterSettings, Rear) == 48);
static_assert(offsetof(PrinterSettings, Front) == 52);
static_assert(offsetof(PrinterSettings, Left) == 56);
static_assert(offsetof(PrinterSettings, Right) == 60);
static_assert(offsetof(PrinterSettings, CorrectSlope) == 64);
static_assert(offsetof(PrinterSettings, Dummy1) == 65);
static_assert(offsetof(PrinterSettings, BaseDpi) == 66);
static_assert(offsetof(PrinterSettings, TextSet) == 68);
static_assert(offsetof(PrinterSettings, PhotoSet) == 788);
static_assert(offsetof(PrinterSettings, ImpactPattern) == 1508);
static_assert(offsetof(PrinterSettings, dummy) == 1512);
static_assert(offsetof(PrinterSettings, EnableExtendedSize) == 1516);
static_assert(offsetof(PrinterSettings, ExtendedSize) == 1520);
static_assert(offsetof(PrinterSettings, dwPrivData) == 1524);
static_assert(offsetof(PrinterSettings, dwFlags) == 1528);
static_assert(offsetof(PrinterSettings, wOutFlags) == 1532);
static_assert(sizeof(PrinterSettings::wOutFlags) == 4);
static_assert(sizeof(PrinterSettings) == 1536);

// The public DEVMODE, wide-character layout of version 0x401.
static_assert(offsetof(DEVMODEW, dmDeviceName) == 0);
static_assert(sizeof(DEVMODEW::dmDeviceName) == 64);
static_assert(offsetof(DEVMODEW, dmSpecVersion) == 64);
static_assert(offsetof(DEVMODEW, dmDriverVersion) == 66);
static_assert(offsetof(DEVMODEW, dmSize) == 68);
static_assert(offsetof(DEVMODEW, dmDriverExtra) == 70);
static_assert(offsetof(DEVMODEW, dmFields) == 72);
static_assert(offsetof(DEVMODEW, dmOrientation) == 76);
static_assert(offsetof(DEVMODEW, dmPaperSize) == 78);
static_assert(offsetof(DEVMODEW, dmPaperLength) == 80);
static_assert(offsetof(DEVMODEW, dmPaperWidth) == 82);
static_assert(offsetof(DEVMODEW, dmScale) == 84);
static_assert(offsetof(DEVMODEW, dmCopies) == 86);
static_assert(offsetof(DEVMODEW, dmDefaultSource) == 88);
static_assert(offsetof(DEVMODEW, dmPrintQuality) == 90);
static_assert(offsetof(DEVMODEW, dmColor) == 92);
static_assert(offsetof(DEVMODEW, dmDuplex) == 94);
static_assert(offsetof(DEVMODEW, dmYResolution) == 96);
static_assert(offsetof(DEVMODEW, dmTTOption) == 98);
static_assert(offsetof(DEVMODEW, dmCollate) == 100);
static_assert(offsetof(DEVMODEW, dmFormName) == 102);
static_assert(sizeof(DEVMODEW::dmFormName) == 64);
static_assert(offsetof(DEVMODEW, dmLogPixels) == 166);
static_assert(offsetof(DEVMODEW, dmBitsPerPel) == 168);
static_assert(offsetof(DEVMODEW, dmPelsWidth) == 172);
static_assert(offsetof(DEVMODEW, dmPelsHeight) == 176);
static_assert(offsetof(DEVMODEW, dmDisplayFlags) == 180);
static_assert(offsetof(DEVMODEW, dmDisplayFrequency) == 184);
static_assert(offsetof(DEVMODEW, dmICMMethod) == 188);
static_assert(offsetof(DEVMODEW, dmICMIntent) == 192);
static_assert(offsetof(DEVMODEW, dmMediaType) == 196);
static_assert(offsetof(DEVMODEW, dmDitherType) == 200);
static_assert(offsetof(DEVMODEW, dmReserved1) == 204);
static_assert(offsetof(DEVMODEW, dmReserved2) == 208);
static_assert(offsetof(DEVMODEW, dmPanningWidth) == 212);
static_assert(offsetof(DEVMODEW, dmPanningHeight) == 216);
static_assert(sizeof(DEVMODEW) == 220);

// The driver DEVMODE: the private record sits directly behind the public part.
static_assert(offsetof(DriverDevMode, dm) == 0);
static_assert(offsetof(DriverDevMode, ps) == 220);
static_assert(sizeof(DriverDevMode) == 1756);
static_assert(kPublicDevModeSize == 220);
static_assert(kPrinterSettingsSize == 1536);
static_assert(kDriverDevModeSize == 1756);

// "PRIV" in memory order.
static_assert(kPrivSignature ==
              (DWORD('P') | DWORD('R') << 8 | DWORD('I') << 16 | DWORD('V') << 24));

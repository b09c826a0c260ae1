// The driver's DEVMODE: the platform's 220-byte public DEVMODE followed by PrinterSettings.
#pragma once

#include "settings/printer_settings.h"

#include <windows.h>

struct DriverDevMode {
    DEVMODEW dm;
    PrinterSettings ps;
};

static_assert(sizeof(DEVMODEW) == 220);
static_assert(offsetof(DriverDevMode, ps) == 220);
static_assert(sizeof(DriverDevMode) == 1756);

inline constexpr WORD kPublicDevModeSize = sizeof(DEVMODEW);
inline constexpr WORD kDriverDevModeSize = sizeof(DriverDevMode);
inline constexpr WORD kDriverVersion = 0x11F;
inline constexpr DWORD kDefaultDevModeFields = DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH |
                                               DM_PRINTQUALITY | DM_COLOR | DM_YRESOLUTION |
                                               DM_TTOPTION;

// Resolution for a frame index: baseDpi / frameIdx rounded to the nearest whole dot per inch;
// an index of 0 counts as 5.
LONG FrameIdx2Dpi(SHORT baseDpi, LONG frameIdx);

// Zeroes all 1756 bytes and writes the driver defaults; pszDeviceName may be null.
BOOL SetDefaultDevMode(DriverDevMode* pdm, LPCWSTR pszDeviceName);

// Merges a caller's DEVMODE (may be null) into pdm. Only the bytes the caller's header declares
// (dmSize public bytes followed by dmDriverExtra private bytes) are read.
BOOL ValidateSetDevMode(DriverDevMode* pdm, const DEVMODEW* pdmIn);

// The same for a DEVMODE that lies in a buffer of known length, such as the printer's default
// inside the spooler's printer information: only what lies within `available` bytes from pdmIn
// is read, whatever its header claims. A private part that runs past them is not taken.
BOOL ValidateSetDevModeWithin(DriverDevMode* pdm, const DEVMODEW* pdmIn, size_t available);

// Recomputes the public fields that follow from the private record: paper size, resolution and
// the work size in dots. dmFields is left alone.
void SetDerivedFields(DriverDevMode* pdm);

// A DEVMODE's private part begins dmSize bytes after its start, whatever its layout.
const BYTE* PrivatePart(const DEVMODEW* pdm);
BYTE* PrivatePart(DEVMODEW* pdm);

// True when the DEVMODE's private part is ours: driverExtra bytes long and signed "PRIV".
bool HasValidPrivatePart(const DEVMODEW* pdm, WORD driverExtra);

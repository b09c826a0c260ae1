// Copies between DEVMODEs of different layouts, and the conversions the spooler asks for.
#pragma once

#include "settings/driver_devmode.h"

#include <windows.h>

// Current driver version, current private size, driver version and private size of the old
// 188-byte layout.
extern const WORD psDriverVersions[4];

// The version (dmSpecVersion) a DEVMODE's layout stands for, known from its size; 0 for null.
WORD CheckDevmodeVersion(const DEVMODEW* pdm);

// Copies the input's content into the output's layout, which the output's header decides.
// Returns the bytes copied, or -1.
LONG ConvertDevmode(const DEVMODEW* pdmIn, DEVMODEW* pdmOut);

// Writes the driver DEVMODE pdmSrc to pdmOut in the layout of the caller's pdmIn (whole when
// pdmIn is null), never in a larger one.
BOOL ConvertDevmodeOut(const DEVMODEW* pdmSrc, const DEVMODEW* pdmIn, DEVMODEW* pdmOut);

// 0 failed, 1 done, 2 not handled here (driver defaults are written by the caller).
int CommonDrvConvertDevmode(LPCWSTR pPrinterName, const DEVMODEW* pdmIn, DEVMODEW* pdmOut,
                            LONG* pcbNeeded, DWORD fMode, const WORD* pDriverVersions);

#ifndef CDM_CONVERT
#define CDM_CONVERT 0x01
#define CDM_CONVERT351 0x02
#define CDM_DRIVER_DEFAULT 0x04
#endif

// Field-by-field listings of driver DEVMODEs and settings records for the console.
#pragma once

#include "settings/driver_devmode.h"

#include <cstdio>

// Writes wide text to the stream as UTF-8.
void PrintWide(FILE* out, LPCWSTR text, int length = -1);

// Every public field inside the first `size` bytes of the DEVMODE, with its offset and value.
void PrintPublicPart(FILE* out, const DEVMODEW& dm, size_t size);

// Every field of the private record outside the material sets, with its offset and value.
void PrintPrivatePart(FILE* out, const PrinterSettings& ps, WORD base);

// Both material sets as a table.
void PrintMaterialSets(FILE* out, const PrinterSettings& ps, WORD base);

// A DEVMODE of any layout that lies in `available` bytes, read through its own header only as
// far as those bytes go: its public fields, then its private part, decoded when it has this
// driver's size and shown as bytes otherwise. A header that claims more than the bytes hold is
// reported, and only what is there is shown.
void PrintDevMode(FILE* out, const DEVMODEW* dm, size_t available);

// A settings record stored whole, decoded as the private part of a DEVMODE would be.
void PrintSettingsRecord(FILE* out, const BYTE* bytes, size_t size);

// One printer-data value: a field of the settings record decoded by its name, other values as
// their registry type and bytes.
void PrintStoredValue(FILE* out, LPCWSTR name, DWORD type, const BYTE* bytes, size_t size);

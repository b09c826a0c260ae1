// Field-by-field listings of driver DEVMODEs and settings records for the console.
#pragma once

#include "settings/driver_devmode.h"

#include <cstdio>

// Writes wide text to the stream as UTF-8.
void PrintWide(FILE* out, LPCWSTR text, int length = -1);

// Every public field with its offset and value.
void PrintPublicPart(FILE* out, const DEVMODEW& dm);

// Every field of the private record outside the material sets, with its offset and value.
void PrintPrivatePart(FILE* out, const PrinterSettings& ps, WORD base);

// Both material sets as a table.
void PrintMaterialSets(FILE* out, const PrinterSettings& ps, WORD base);

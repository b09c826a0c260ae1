// The printer's stored settings in its registry data: one whole-record block, two material
// blocks and one value per field, all written on save; loading prefers the whole block.
#pragma once

#include "settings/printer_settings.h"

#include <windows.h>
#include <winspool.h>

// One stored block: a REG_DWORD size value and a REG_BINARY data value.
struct PrinterRegInfo {
    LPCWSTR sizeName;
    LPCWSTR dataName;
    WORD offset; // where the block lies in the record
    WORD size;   // the bytes the block holds when this driver writes it
};

enum : int { kWholeRecordBlock = 0, kTextSetBlock = 1, kPhotoSetBlock = 2 };
extern const PrinterRegInfo printerRegInfo[3];

// The printer's record in fixed global memory the caller frees; null only without memory.
PrinterSettings* GetPrinterProperties(HANDLE hPrinter, LPCWSTR modelName);

// A record from the per-field values and material blocks, with defaults for what is missing.
PrinterSettings* DefaultPrinterProperties(HANDLE hPrinter, LPCWSTR modelName);

void DefaultShortParams(HANDLE hPrinter, SHORT* field, LPCWSTR name, SHORT defaultValue);
void DefaultByteParams(HANDLE hPrinter, BYTE* field, LPCWSTR name, BYTE defaultValue);
void DefaultLongParams(HANDLE hPrinter, DWORD* field, LPCWSTR name, DWORD defaultValue);

// The block's data in fixed global memory the caller frees, its length through pcbSize (may be
// null); null when the block cannot be had.
LPBYTE GetPrinterDataFromRegistry(HANDLE hPrinter, LPDWORD pcbSize, int index);

// Writes every value in the stored order; 1 when the whole-record block was written, else 0.
DWORD SavePrinterProperties(HANDLE hPrinter, const PrinterSettings* ps, DWORD size);

void SaveShortParams(HANDLE hPrinter, const SHORT* field, LPCWSTR name);
void SaveByteParams(HANDLE hPrinter, const BYTE* field, LPCWSTR name);
void SaveLongParams(HANDLE hPrinter, const DWORD* field, LPCWSTR name);

// The size value, then (only when that was stored) the data value; 1 when both were stored.
DWORD SavePrinterDataToRegistry(HANDLE hPrinter, const BYTE* data, DWORD size, int index);

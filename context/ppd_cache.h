// The process-wide cache of the device data record.
#pragma once

#include <windows.h>

// The device data record. Nothing reads its fields: it stands for the fact that the printer's
// driver information could be read.
struct PpdData {
    CHAR szFileName[32];
    DWORD dwReserved1;
    DWORD dwReserved2;
};

// At module start: creates the cache's lock, then empties the cache (InitPpdCache).
void StartPpdCache();
// At module stop: frees the cached record (FlushPpdCache), then deletes the lock.
void StopPpdCache();

void InitPpdCache();
void FlushPpdCache();

PpdData* PpdCreate(LPCWSTR pDataFile, HINSTANCE hInstance);
void PpdDelete(PpdData* pPpdData);

// A new record for the printer, cached while the cache is free; null when the driver information
// can't be read or there is no memory.
PpdData* LoadPpdFile(HANDLE hPrinter);
void UnloadPpdFile(PpdData* pPpdData);

// For tests: the cached record and its lending count, read under the lock.
void PeekPpdCache(PpdData** cached, WORD* refCount);

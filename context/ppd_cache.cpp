#include "context/ppd_cache.h"

#include "context/module_instance.h"
#include "context/spooler_reads.h"

#include <winspool.h>

#include <cstring>

namespace {

CRITICAL_SECTION psuiSemaphore;
PpdData* cachedPpdData = nullptr;
WORD cacheRefCount = 0;

class CacheLock {
  public:
    CacheLock() { EnterCriticalSection(&psuiSemaphore); }
    ~CacheLock() { LeaveCriticalSection(&psuiSemaphore); }
    CacheLock(const CacheLock&) = delete;
    CacheLock& operator=(const CacheLock&) = delete;
};

} // namespace

void StartPpdCache() {
    InitializeCriticalSection(&psuiSemaphore);
    InitPpdCache();
}

void StopPpdCache() {
    FlushPpdCache();
    DeleteCriticalSection(&psuiSemaphore);
}

void InitPpdCache() {
    cachedPpdData = nullptr;
    cacheRefCount = 0;
}

void FlushPpdCache() {
    CacheLock lock;
    if (cachedPpdData != nullptr) {
        cacheRefCount = 0;
        PpdDelete(cachedPpdData);
        cachedPpdData = nullptr;
    }
}

PpdData* PpdCreate(LPCWSTR, HINSTANCE) {
    auto* ppd = static_cast<PpdData*>(GlobalAlloc(GMEM_FIXED, sizeof(PpdData)));
    if (ppd == nullptr) {
        return nullptr;
    }
    // The tail of the name field is zeroed rather than left as the allocation gave it.
    std::memset(ppd, 0, sizeof *ppd);
    std::memcpy(ppd->szFileName, "klv20.tpd", sizeof "klv20.tpd");
    return ppd;
}

void PpdDelete(PpdData* pPpdData) {
    GlobalFree(pPpdData);
}

PpdData* LoadPpdFile(HANDLE hPrinter) {
    auto* driverInfo = reinterpret_cast<DRIVER_INFO_2W*>(MyGetPrinterDriver(hPrinter, 2));
    if (driverInfo == nullptr) {
        return nullptr;
    }
    PpdData* ppd;
    {
        CacheLock lock;
        ppd = PpdCreate(driverInfo->pDataFile, ghInstance);
        if (ppd != nullptr && cacheRefCount == 0) {
            if (cachedPpdData != nullptr) {
                PpdDelete(cachedPpdData);
            }
            cachedPpdData = ppd;
            cacheRefCount = 1;
        }
    }
    GlobalFree(driverInfo);
    return ppd;
}

void UnloadPpdFile(PpdData* pPpdData) {
    CacheLock lock;
    if (pPpdData == cachedPpdData) {
        // A record given back twice must not wrap the count: at 65,535 nothing would be cached
        // again for the life of the process.
        if (cacheRefCount > 0) {
            --cacheRefCount;
        }
    } else {
        PpdDelete(pPpdData);
    }
}

void PeekPpdCache(PpdData** cached, WORD* refCount) {
    CacheLock lock;
    *cached = cachedPpdData;
    *refCount = cacheRefCount;
}

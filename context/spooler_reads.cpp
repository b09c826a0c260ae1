#include "context/spooler_reads.h"

#include <winspool.h>

namespace {

// The spooler's two-call pattern: ask for the size, then read into a buffer of that size.
template <typename Read> LPBYTE SizedRead(Read read, LPDWORD pcbSize) {
    DWORD needed = 0;
    if (read(nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return nullptr;
    }
    auto buffer = static_cast<LPBYTE>(GlobalAlloc(GMEM_FIXED, needed));
    if (buffer == nullptr) {
        return nullptr;
    }
    const DWORD size = needed;
    if (!read(buffer, size, &needed)) {
        GlobalFree(buffer);
        return nullptr;
    }
    if (pcbSize != nullptr) {
        *pcbSize = size;
    }
    return buffer;
}

} // namespace

LPBYTE MyGetPrinter(HANDLE hPrinter, DWORD level, LPDWORD pcbSize) {
    return SizedRead(
        [&](LPBYTE buffer, DWORD size, LPDWORD needed) {
            return GetPrinterW(hPrinter, level, buffer, size, needed) != FALSE;
        },
        pcbSize);
}

LPBYTE MyGetPrinterDriver(HANDLE hPrinter, DWORD level) {
    return SizedRead(
        [&](LPBYTE buffer, DWORD size, LPDWORD needed) {
            return GetPrinterDriverW(hPrinter, nullptr, level, buffer, size, needed) != FALSE;
        },
        nullptr);
}

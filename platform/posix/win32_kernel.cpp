// Kernel calls of the stand-in: last error, the ANSI code page and wide string length.
#include <windows.h>

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

// Windows-1252 bytes 0x80..0x9F; every other byte maps to the code point of the same value.
// The five bytes the code page leaves unassigned map to their own value, as on Windows.
constexpr WCHAR kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

WCHAR Cp1252ToWide(BYTE b) {
    return (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : static_cast<WCHAR>(b);
}

} // namespace

DWORD GetLastError() {
    return lastError;
}

void SetLastError(DWORD error) {
    lastError = error;
}

UINT GetACP() {
    return 1252;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int cbSrc, LPWSTR dst, int cchDst) {
    if ((codePage != CP_ACP && codePage != 1252) || flags != 0 || src == nullptr || cbSrc == 0 ||
        cbSrc < -1 || cchDst < 0 || (dst == nullptr && cchDst != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int count = cbSrc;
    if (count == -1) {
        count = 0;
        while (src[count] != '\0') {
            ++count;
        }
        ++count;
    }
    if (cchDst == 0) {
        return count;
    }
    // Like the system, a destination that is too small receives what fits and the call fails.
    const int written = count < cchDst ? count : cchDst;
    for (int i = 0; i < written; ++i) {
        dst[i] = Cp1252ToWide(static_cast<BYTE>(src[i]));
    }
    if (count > cchDst) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    return count;
}

int lstrlenW(LPCWSTR text) {
    if (text == nullptr) {
        return 0;
    }
    int length = 0;
    while (text[length] != 0) {
        ++length;
    }
    return length;
}

// Code-unit order: the names compared here are ASCII, where the platform's order agrees.
int lstrcmpW(LPCWSTR a, LPCWSTR b) {
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a < *b ? -1 : *a > *b ? 1 : 0;
}

#include "settings/wide_strings.h"

void CopyStringW(LPWSTR pDst, LPCWSTR pSrc, int n) {
    int i = 0; // a field of no room (n <= 0) is left as it is: neither loop runs
    if (pSrc != nullptr) {
        for (; i < n - 1 && pSrc[i] != 0; ++i) {
            pDst[i] = pSrc[i];
        }
    }
    for (; i < n; ++i) {
        pDst[i] = 0;
    }
}

LPWSTR CopyStr2Unicode(LPWSTR pDst, LPCSTR pSrc, int n) {
    int length = 0;
    while (pSrc[length] != '\0') {
        ++length;
    }
    ++length; // the NUL is converted too
    const int m = n > 0 ? n : length;
    MyMultiByteToUnicode(pDst, static_cast<DWORD>(m) * sizeof(WCHAR), nullptr, pSrc,
                         static_cast<DWORD>(length));
    pDst[m - 1] = 0;
    return pDst;
}

int MyMultiByteToUnicode(LPWSTR pDst, DWORD cbDst, LPDWORD pcbWritten, LPCSTR pSrc, DWORD cbSrc) {
    const int written = MultiByteToWideChar(GetACP(), 0, pSrc, static_cast<int>(cbSrc), pDst,
                                            static_cast<int>(cbDst / sizeof(WCHAR)));
    if (pcbWritten != nullptr) {
        *pcbWritten = static_cast<DWORD>(written) * sizeof(WCHAR);
    }
    return written;
}

bool WideEquals(LPCWSTR a, LPCWSTR b) {
    if (a == nullptr || b == nullptr) {
        return a == b;
    }
    for (; *a != 0 && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}

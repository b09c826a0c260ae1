// Bounded copies into the fixed-size text fields of DEVMODEs and settings records.
#pragma once

#include <windows.h>

// Copies until a NUL has been copied or n - 1 characters have been, then zero-fills the rest of
// the n-character field, so the field always ends in NUL. Nothing happens when n is 0.
void CopyStringW(LPWSTR pDst, LPCWSTR pSrc, int n);

// Converts the NUL-terminated narrow text with the system ANSI code page into at most m wide
// characters (m = n, or the source length with its NUL when n is 0) and NUL-terminates the field
// at m - 1. Returns pDst.
LPWSTR CopyStr2Unicode(LPWSTR pDst, LPCSTR pSrc, int n);

// MultiByteToWideChar with the system ANSI code page into cbDst bytes; *pcbWritten (optional)
// receives the bytes written, 0 when the conversion failed.
int MyMultiByteToUnicode(LPWSTR pDst, DWORD cbDst, LPDWORD pcbWritten, LPCSTR pSrc, DWORD cbSrc);

// Exact comparison of two NUL-terminated wide strings; null equals only null. The platform's
// lstrcmpW is a linguistic comparison and may ignore hyphens, so it must not decide a model name.
bool WideEquals(LPCWSTR a, LPCWSTR b);

// The small part of the Win32 API that the platform-neutral code uses, for the host compiler.
//
// Types keep Windows' sizes (WCHAR 16-bit, LONG and DWORD 32-bit) so that every record lays out
// exactly as on Windows. The kernel calls are implemented in win32_kernel.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int BOOL;
typedef int INT;
typedef unsigned int UINT;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef int16_t SHORT;
typedef char CHAR;
typedef char16_t WCHAR;
typedef WCHAR* LPWSTR;
typedef WCHAR* PWSTR;
typedef const WCHAR* LPCWSTR;
typedef const WCHAR* PCWSTR;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef BYTE* PBYTE;
typedef DWORD* LPDWORD;
typedef DWORD* PDWORD;
typedef LONG* PLONG;
typedef void* HANDLE;
typedef HANDLE HGLOBAL;
typedef struct HWND__* HWND;
typedef struct HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef WORD LANGID;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t UINT_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef intptr_t INT_PTR;
typedef size_t SIZE_T;
typedef struct tagOFNW OPENFILENAMEW;
typedef OPENFILENAMEW* LPOPENFILENAMEW;

#define TRUE 1
#define FALSE 0
#define TEXT(quote) u##quote
#define WINAPI

#define CCHDEVICENAME 32
#define CCHFORMNAME 32

#define DM_ORIENTATION 0x00000001
#define DM_PAPERSIZE 0x00000002
#define DM_PAPERLENGTH 0x00000004
#define DM_PAPERWIDTH 0x00000008
#define DM_SCALE 0x00000010
#define DM_COPIES 0x00000100
#define DM_DEFAULTSOURCE 0x00000200
#define DM_PRINTQUALITY 0x00000400
#define DM_COLOR 0x00000800
#define DM_DUPLEX 0x00001000
#define DM_YRESOLUTION 0x00002000
#define DM_TTOPTION 0x00004000
#define DM_COLLATE 0x00008000
#define DM_FORMNAME 0x00010000

#define DM_SPECVERSION 0x0401

#define DM_UPDATE 1
#define DM_COPY 2
#define DM_PROMPT 4
#define DM_MODIFY 8
#define DM_IN_BUFFER DM_MODIFY
#define DM_OUT_BUFFER DM_COPY

#define DC_FIELDS 1
#define DC_PAPERS 2
#define DC_PAPERSIZE 3
#define DC_MINEXTENT 4
#define DC_MAXEXTENT 5
#define DC_BINS 6
#define DC_DUPLEX 7
#define DC_SIZE 8
#define DC_EXTRA 9
#define DC_VERSION 10
#define DC_DRIVER 11
#define DC_BINNAMES 12
#define DC_ENUMRESOLUTIONS 13
#define DC_FILEDEPENDENCIES 14
#define DC_TRUETYPE 15
#define DC_PAPERNAMES 16
#define DC_ORIENTATION 17
#define DC_COPIES 18
#define DCTT_BITMAP 1

#define IDOK 1
#define IDCANCEL 2

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT;

#define DMORIENT_PORTRAIT 1
#define DMORIENT_LANDSCAPE 2
#define DMPAPER_USER 256
#define DMBIN_USER 256
#define DMCOLOR_COLOR 2
#define DMDUP_SIMPLEX 1
#define DMTT_BITMAP 1

#define CP_ACP 0
#define CP_UTF8 65001

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_OUTOFMEMORY 14L
#define ERROR_MORE_DATA 234L
#define ERROR_INVALID_PRINTER_NAME 1801L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_NO_UNICODE_TRANSLATION 1113L

#include "devmode.h"

DWORD GetLastError();
void SetLastError(DWORD error);

// The system ANSI code page of the stand-in is Windows-1252, as on an English system.
UINT GetACP();
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int cbSrc, LPWSTR dst, int cchDst);

int lstrlenW(LPCWSTR text);
int lstrcmpW(LPCWSTR a, LPCWSTR b);

#define GMEM_FIXED 0x0000
#define GMEM_ZEROINIT 0x0040
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

// Global memory; the stand-in counts every allocation and can be told to fail one.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalFree(HGLOBAL memory);

#define HEAP_ZERO_MEMORY 0x00000008

// Private heaps; allocations from them are counted and can be failed like global memory.
HANDLE HeapCreate(DWORD options, SIZE_T initialSize, SIZE_T maximumSize);
BOOL HeapDestroy(HANDLE heap);
LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID memory);

typedef struct _CRITICAL_SECTION {
    void* impl;
} CRITICAL_SECTION, *LPCRITICAL_SECTION;
void InitializeCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);

#define MAX_PATH 260
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
// The module path a test set (standin::SetModulePath), or failure with 0.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR path, DWORD size);

// What the stand-in answers for the desktop calls that tests replace through the seams: no key
// held, no help engine, no file dialog, no window to broadcast to, no property-sheet host.
#define VK_SHIFT 0x10
#define VK_MENU 0x12
#define VK_MBUTTON 0x04
#define HWND_BROADCAST ((HWND)0xffff)
#define WM_DEVMODECHANGE 0x001B
#define HELP_CONTENTS 0x0003
#define HELP_CONTEXTMENU 0x000a
#define HELP_WM_HELP 0x000c
SHORT GetAsyncKeyState(int key);
UINT GetProfileIntW(LPCWSTR app, LPCWSTR key, INT defaultValue);
BOOL WriteProfileStringW(LPCWSTR app, LPCWSTR key, LPCWSTR value);
LANGID GetUserDefaultLangID();
BOOL WinHelpW(HWND window, LPCWSTR file, UINT command, ULONG_PTR data);
// The system's version as the kernel reports it: Windows 10, as Wine 8 reports it.
typedef struct _OSVERSIONINFOW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
} OSVERSIONINFOW, RTL_OSVERSIONINFOW;
LONG RtlGetVersion(RTL_OSVERSIONINFOW* info);
// A file's attributes; only the files a test declared (standin::SetFilePresent) exist.
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_NORMAL 0x00000080
DWORD GetFileAttributesW(LPCWSTR path);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HMODULE LoadLibraryW(LPCWSTR name);
BOOL FreeLibrary(HMODULE module);
typedef INT_PTR (*FARPROC)();
FARPROC GetProcAddress(HMODULE module, LPCSTR name);

// A property-sheet page as the driver describes it to the host; the stand-in shows no page.
#define CALLBACK
typedef INT_PTR (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);
struct _PROPSHEETPAGEW;
typedef UINT (*LPFNPSPCALLBACKW)(HWND, UINT, struct _PROPSHEETPAGEW*);
typedef struct _PROPSHEETPAGEW {
    DWORD dwSize;
    DWORD dwFlags;
    HINSTANCE hInstance;
    LPCWSTR pszTemplate;
    LPCWSTR pszIcon;
    LPCWSTR pszTitle;
    DLGPROC pfnDlgProc;
    LPARAM lParam;
    LPFNPSPCALLBACKW pfnCallback;
    UINT* pcRefParent;
} PROPSHEETPAGEW, *LPPROPSHEETPAGEW;
#define PSP_USEICONID 0x00000004
#define PSP_HASHELP 0x00000020
#define PSP_USECALLBACK 0x00000080
#define PSPCB_RELEASE 1
#define PSPCB_CREATE 2
#define MAKEINTRESOURCEW(i) ((LPCWSTR)(uintptr_t)(WORD)(i))

// The printer sheet's information page, the About dialog and the extended-size Warning.
#pragma once

#include <windows.h>

inline constexpr int kInfoTemplate = 4;
inline constexpr int kAboutTemplate = 5;
inline constexpr int kWarningTemplate = 7;
inline constexpr int kInfoEdit = 850;

INT_PTR WarningDlg(HINSTANCE instance, HWND owner, LPVOID record);
INT_PTR CALLBACK WarningDlgFn(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

INT_PTR AboutDlg(HINSTANCE instance, HWND owner);
INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The information page: shows the driver name of the UI context given as page parameter.
INT_PTR CALLBACK UtilityProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Empties an edit control.
void InitInfomation(HWND dialog, int id);
// Appends a line (the text, then CR LF) to an edit control.
void AddInfomation(HWND dialog, int id, LPCWSTR text);

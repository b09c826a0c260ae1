// A window as a person sees it on the current desktop (Xvfb will do), saved as a BMP file.
#pragma once

#include <windows.h>

#include <string>

// Shows the window on top, lets it paint itself completely, reads its area back from the screen
// and writes it to path; says on the console what was written. With `around`, the area saved also
// takes in that window, left as it is (a popup is shown with what it belongs to).
bool CaptureWindow(HWND window, const std::wstring& path, HWND around = nullptr);

// The language the resource lookup picks templates in for this thread: the thread's UI language
// on Windows, its locale under Wine.
void UseLanguage(LANGID language);

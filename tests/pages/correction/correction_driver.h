// Drives the Image correction page and its details dialog under Wine: the templates of the built
// module, typing into a field, and a modal dialog worked by a script inside its own message loop.
#pragma once
#ifdef _WIN32

#include <windows.h>

#include <functional>
#include <string>

HINSTANCE Templates();
// The page made, shown, from a copy of its template made a child page as the property sheet does.
HWND OpenPage(int templateId, DLGPROC procedure, void* uiContext);
// Focuses the edit field (which selects its text) and types the characters as keys would.
void TypeInto(HWND dialog, int id, const wchar_t* text);
std::wstring TextOf(HWND dialog, int id);
// The next dialog of the thread to become active is worked by the script, which must end it.
void ScriptNextDialog(std::function<void(HWND)> script);

#endif

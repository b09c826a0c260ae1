// Drives the Image correction page and its details dialog under Wine: the templates of the built
// module, the page made a child page as the property sheet makes it, typing and leaving fields,
// and a modal dialog worked by a script from inside its own message loop.
#pragma once
#ifdef _WIN32

#include "entry/ui_context.h"

#include <windows.h>

#include <functional>
#include <string>

// The module whose templates the page and dialog are made from.
HINSTANCE Templates();

// Focuses the edit field (which selects its text) and types the characters as keys would.
void TypeInto(HWND dialog, int id, const wchar_t* text);
// Moves the focus to a control that reacts to nothing, so the field that had it is left.
void LeaveField(HWND dialog, int quietControl);
std::wstring TextOf(HWND dialog, int id);

// While one lives, the next modal dialog of the thread is worked by the script once it is active;
// the script must end it.
class ScriptedDialog {
  public:
    explicit ScriptedDialog(std::function<void(HWND)> script);
    ~ScriptedDialog();
    ScriptedDialog(const ScriptedDialog&) = delete;
    ScriptedDialog& operator=(const ScriptedDialog&) = delete;
};

// Runs the details dialog over the UI context, worked by the script; answers its end value.
INT_PTR RunDetails(UiData* ui, std::function<void(HWND)> script);

#endif

#ifdef _WIN32
#include "tests/pages/correction/correction_driver.h"

#include "pages/correction/details_dialog.h"

namespace {

std::function<void(HWND)> pendingScript;
HWND scriptedDialog = nullptr;
HHOOK activationHook = nullptr;

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    auto script = std::move(pendingScript);
    pendingScript = nullptr;
    if (script) {
        script(scriptedDialog);
    }
}

// The script runs from a thread timer, inside the dialog's own modal loop, once it is active.
LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && pendingScript && scriptedDialog == nullptr) {
        scriptedDialog = reinterpret_cast<HWND>(wParam);
        SetTimer(nullptr, 0, 0, RunScript);
    }
    return CallNextHookEx(activationHook, code, wParam, lParam);
}

} // namespace

HINSTANCE Templates() {
    static HINSTANCE module = LoadLibraryW(TEXT(VORIKAUI_DLL));
    return module;
}

void TypeInto(HWND dialog, int id, const wchar_t* text) {
    HWND field = GetDlgItem(dialog, id);
    SetFocus(field);
    for (; *text != 0; ++text) {
        SendMessageW(field, WM_CHAR, *text, 1);
    }
}

void LeaveField(HWND dialog, int quietControl) {
    SetFocus(GetDlgItem(dialog, quietControl));
}

std::wstring TextOf(HWND dialog, int id) {
    wchar_t text[64] = {};
    GetDlgItemTextW(dialog, id, text, 64);
    return text;
}

ScriptedDialog::ScriptedDialog(std::function<void(HWND)> script) {
    pendingScript = std::move(script);
    scriptedDialog = nullptr;
    activationHook = SetWindowsHookExW(WH_CBT, OnActivate, nullptr, GetCurrentThreadId());
}

ScriptedDialog::~ScriptedDialog() {
    UnhookWindowsHookEx(activationHook);
    pendingScript = nullptr;
}

INT_PTR RunDetails(UiData* ui, std::function<void(HWND)> script) {
    ScriptedDialog scripted(std::move(script));
    return DetailsDlg(Templates(), nullptr, ui);
}
#endif

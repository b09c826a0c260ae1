#ifdef _WIN32
#include "tests/pages/correction/correction_driver.h"

#include <prsht.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {

std::function<void(HWND)> pendingScript;
HWND scriptedDialog = nullptr;
HHOOK activationHook = nullptr;

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    std::exchange(pendingScript, nullptr)(scriptedDialog);
}

// The script runs from a thread timer, inside the dialog's own modal loop, once it is active.
LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code != HCBT_ACTIVATE) {
        return CallNextHookEx(activationHook, code, wParam, lParam);
    }
    UnhookWindowsHookEx(activationHook);
    scriptedDialog = reinterpret_cast<HWND>(wParam);
    SetTimer(nullptr, 0, 0, RunScript);
    return 0;
}

} // namespace

HINSTANCE Templates() {
    static HINSTANCE module = LoadLibraryW(TEXT(VORIKAUI_DLL));
    return module;
}

HWND OpenPage(int templateId, DLGPROC procedure, void* uiContext) {
    HRSRC found = FindResourceW(Templates(), MAKEINTRESOURCEW(templateId), RT_DIALOG);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(Templates(), found)));
    std::vector<BYTE> copy(bytes, bytes + SizeofResource(Templates(), found));
    DWORD style; // behind the version, signature and help ID
    std::memcpy(&style, copy.data() + 12, sizeof style);
    style &= ~(WS_DISABLED | WS_POPUP | WS_CAPTION | DS_MODALFRAME);
    style |= WS_CHILD | DS_CONTROL;
    std::memcpy(copy.data() + 12, &style, sizeof style);
    PROPSHEETPAGEW sheetPage{};
    sheetPage.dwSize = sizeof sheetPage;
    sheetPage.lParam = reinterpret_cast<LPARAM>(uiContext);
    HWND sheet = CreateWindowExW(0, L"STATIC", L"sheet", WS_POPUP | WS_VISIBLE, 0, 0, 600, 500,
                                 nullptr, nullptr, nullptr, nullptr);
    HWND page =
        CreateDialogIndirectParamW(Templates(), reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()),
                                   sheet, procedure, reinterpret_cast<LPARAM>(&sheetPage));
    ShowWindow(page, SW_SHOW);
    return page;
}

void TypeInto(HWND dialog, int id, const wchar_t* text) {
    SetFocus(GetDlgItem(dialog, id));
    for (; *text != 0; ++text) {
        SendDlgItemMessageW(dialog, id, WM_CHAR, *text, 1);
    }
}

std::wstring TextOf(HWND dialog, int id) {
    wchar_t text[64] = {};
    GetDlgItemTextW(dialog, id, text, 64);
    return text;
}

void ScriptNextDialog(std::function<void(HWND)> script) {
    pendingScript = std::move(script);
    activationHook = SetWindowsHookExW(WH_CBT, OnActivate, nullptr, GetCurrentThreadId());
}
#endif

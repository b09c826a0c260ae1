#ifdef _WIN32
#include "tests/support/page_driver.h"

#include "ui/help_popup.h"

#include <prsht.h>

#include <algorithm>
#include <utility>
#include <vector>

int PageTest::changesTold = 0;

void PageTest::OpenWith(int templateId, DLGPROC procedure, LPARAM pageParam) {
    static const HINSTANCE templates = LoadLibraryW(TEXT(VORIKAUI_DLL));
    HRSRC found = FindResourceW(templates, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(templates, found)));
    std::vector<BYTE> copy(bytes, bytes + SizeofResource(templates, found));
    auto* style = reinterpret_cast<DWORD*>(copy.data() + 12); // behind version, signature, help ID
    *style =
        (*style & ~(WS_DISABLED | WS_POPUP | WS_CAPTION | DS_MODALFRAME)) | WS_CHILD | DS_CONTROL;
    PROPSHEETPAGEW sheetPage{};
    sheetPage.dwSize = sizeof sheetPage;
    sheetPage.lParam = pageParam;
    HWND sheet = CreateWindowExW(0, L"STATIC", L"sheet", WS_POPUP | WS_VISIBLE, 0, 0, 600, 500,
                                 nullptr, nullptr, nullptr, nullptr);
    WNDPROC standIn = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        changesTold += message == PSM_CHANGED ? 1 : 0;
        return DefWindowProcW(window, message, wParam, lParam);
    };
    SetWindowLongPtrW(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(standIn));
    changesTold = 0;
    page_ = CreateDialogIndirectParamW(templates, reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()),
                                       sheet, procedure, reinterpret_cast<LPARAM>(&sheetPage));
    ASSERT_NE(page_, nullptr);
    ShowWindow(page_, SW_SHOW);
}

std::wstring PageTest::Text(int id) {
    wchar_t text[64] = {};
    GetDlgItemTextW(page_, id, text, 64);
    return text;
}

void PageTest::TypeInto(HWND dialog, int id, const wchar_t* text) {
    SetFocus(GetDlgItem(dialog, id));
    for (; *text != 0; ++text) {
        SendDlgItemMessageW(dialog, id, WM_CHAR, *text, 1);
    }
}

std::wstring PageTest::AskHelp(HWND dialog, int id, UINT message) {
    HWND control = GetDlgItem(dialog, id);
    HELPINFO info{sizeof info, HELPINFO_WINDOW, id, control, 0, {0, 0}};
    SendMessageW(dialog, message, message == WM_HELP ? 0 : WPARAM(control),
                 message == WM_HELP ? LPARAM(&info) : MAKELPARAM(-1, -1));
    HWND popup = FindWindowW(kHelpPopupClass, nullptr);
    wchar_t text[512] = {};
    GetWindowTextW(IsWindowVisible(popup) ? popup : nullptr, text, 512);
    SetFocus(dialog); // the popup closes once it has lost the focus
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
        DispatchMessageW(&message);
    }
    EXPECT_FALSE(IsWindow(popup));
    return text;
}

namespace {

std::function<void(HWND)> pendingScript;
HHOOK activationHook = nullptr;

// The script runs from a thread timer, inside the dialog's own modal loop, once it is active.
LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code != HCBT_ACTIVATE) {
        return CallNextHookEx(activationHook, code, wParam, lParam);
    }
    UnhookWindowsHookEx(std::exchange(activationHook, nullptr));
    static HWND dialog;
    dialog = reinterpret_cast<HWND>(wParam);
    SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        std::exchange(pendingScript, nullptr)(dialog);
    });
    return 0;
}

} // namespace

void PageTest::ScriptNextDialog(std::function<void(HWND)> script) {
    if (activationHook != nullptr) {
        UnhookWindowsHookEx(std::exchange(activationHook, nullptr));
    }
    if ((pendingScript = std::move(script))) {
        activationHook = SetWindowsHookExW(WH_CBT, OnActivate, nullptr, GetCurrentThreadId());
    }
}

std::vector<DWORD> DrawnColours(int areaId, RECT area, DWORD fill,
                                const std::function<void(HWND, HDC)>& draw,
                                std::initializer_list<POINT> points) {
    HWND page = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                                nullptr, nullptr);
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD, area.left, area.top, area.right - area.left,
                    area.bottom - area.top, page, HMENU(INT_PTR{areaId}), nullptr, nullptr);
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), 200, -200, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    DWORD* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(
        dc, CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, (void**)&bits, nullptr, 0));
    std::fill(bits, bits + 200 * 200, fill);
    draw(page, dc);
    GdiFlush();
    std::vector<DWORD> colours;
    for (const POINT& p : points) {
        colours.push_back(bits[p.y * 200 + p.x] & 0xFFFFFF);
    }
    DeleteObject(SelectObject(dc, previous));
    DeleteDC(dc);
    DestroyWindow(page);
    return colours;
}
#endif

#include "ui/help_popup.h"

#include "resources/resource.h"
#include "ui/help.h"

#include <algorithm>

namespace {

constexpr LANGID kEnglishStrings = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kJapaneseStrings = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr int kTextChars = 512;
constexpr int kCaptionChars = 128;
constexpr int kPopupMargin = 6;  // pixels between the popup's border and its text
constexpr int kPopupWidth = 300; // widest text line in pixels at 96 dots an inch
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

HINSTANCE ModuleOf(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

// The string in the chosen language itself: LoadStringW would pick the thread's language, which
// need not be the user's.
bool LoadHelpString(HINSTANCE module, UINT id, bool japanese, LPWSTR out, int outChars) {
    out[0] = 0;
    HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1),
                                  japanese ? kJapaneseStrings : kEnglishStrings);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const auto* block =
        static_cast<const WCHAR*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    return block != nullptr && StringOfBlock(block, SizeofResource(module, found) / sizeof(WCHAR),
                                             id % 16, out, outChars);
}

// ---- The popup ----

void PaintPopup(HWND popup) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(popup, &paint);
    WCHAR text[kTextChars];
    GetWindowTextW(popup, text, kTextChars);
    RECT area;
    GetClientRect(popup, &area);
    InflateRect(&area, -kPopupMargin, -kPopupMargin);
    HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    DrawTextW(dc, text, -1, &area, kTextFormat);
    SelectObject(dc, font);
    EndPaint(popup, &paint);
}

// Context help closes on the next click anywhere, the next key, or when it loses the focus.
LRESULT CALLBACK PopupProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintPopup(popup);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KILLFOCUS:
        PostMessageW(popup, WM_CLOSE, 0, 0);
        return 0;
    default:
        return DefWindowProcW(popup, message, wParam, lParam);
    }
}

// A class is registered per module and outlives an unloaded module: one left by an earlier load
// at the same address has a procedure that is gone, and is registered again.
bool RegisterPopupClass(HINSTANCE module) {
    WNDCLASSW existing;
    if (GetClassInfoW(module, kHelpPopupClass, &existing)) {
        if (existing.lpfnWndProc == PopupProc) {
            return true;
        }
        UnregisterClassW(kHelpPopupClass, module);
    }
    WNDCLASSW popupClass{};
    popupClass.style = CS_DROPSHADOW | CS_SAVEBITS;
    popupClass.lpfnWndProc = PopupProc;
    popupClass.hInstance = module;
    popupClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    popupClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    popupClass.lpszClassName = kHelpPopupClass;
    return RegisterClassW(&popupClass) != 0;
}

// The popup's outer size for the text: lines wrapped at a fixed width, a margin and the border.
SIZE PopupSize(LPCWSTR text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT area = {0, 0, MulDiv(kPopupWidth, GetDeviceCaps(dc, LOGPIXELSX), 96), 0};
    DrawTextW(dc, text, -1, &area, kTextFormat | DT_CALCRECT);
    SelectObject(dc, font);
    ReleaseDC(nullptr, dc);
    InflateRect(&area, kPopupMargin, kPopupMargin);
    AdjustWindowRectEx(&area, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
    return {area.right - area.left, area.bottom - area.top};
}

// Below the control, or above it where the screen ends, and never beyond the screen's sides.
POINT PopupPlace(HWND control, SIZE size) {
    RECT beside;
    GetWindowRect(control, &beside);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&beside, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    LONG y = beside.bottom + 2;
    if (y + size.cy > work.bottom) {
        y = std::max(work.top, beside.top - 2 - size.cy);
    }
    const LONG x = std::max(work.left, std::min(beside.left, work.right - size.cx));
    return {x, y};
}

// ---- The help window ----

struct HelpListing {
    WCHAR title[kCaptionChars];
    LPWSTR text;
    size_t used;
    size_t capacity;
};

// Appends text, making each line break a CR LF: the edit control breaks lines only there.
void Append(HelpListing* listing, LPCWSTR text) {
    for (; *text != 0 && listing->used + 2 < listing->capacity; ++text) {
        if (*text == L'\n' && (listing->used == 0 || listing->text[listing->used - 1] != L'\r')) {
            listing->text[listing->used++] = L'\r';
        }
        listing->text[listing->used++] = *text;
    }
    listing->text[listing->used] = 0;
}

void AppendTopic(HelpListing* listing, HINSTANCE module, UINT topic, bool japanese) {
    WCHAR string[kTextChars];
    if (topic != 0 &&
        LoadHelpString(module, HelpCaptionId(topic, japanese), japanese, string, kTextChars)) {
        Append(listing, string);
        Append(listing, L"\r\n");
    }
    LoadHelpString(module, HelpTextId(topic, japanese), japanese, string, kTextChars);
    Append(listing, string);
    Append(listing, L"\r\n\r\n");
}

void FillListing(HelpListing* listing, HINSTANCE module, const DWORD* table) {
    const bool japanese = HelpInJapanese();
    LoadHelpString(module, HelpCaptionId(0, japanese), japanese, listing->title, kCaptionChars);
    UINT topics[kHelpTopics];
    const UINT count = table != nullptr ? TableTopics(table, topics) : 0;
    if (count == 0) {
        AppendTopic(listing, module, 0, japanese);
    }
    for (UINT i = 0; i < count; ++i) {
        AppendTopic(listing, module, topics[i], japanese);
    }
}

INT_PTR CALLBACK HelpWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto* listing = reinterpret_cast<const HelpListing*>(lParam);
        SetWindowTextW(window, listing->title);
        SetDlgItemTextW(window, IDC_HELP_TOPICS_TEXT, listing->text);
        // Reading starts at the top, with nothing selected.
        SetFocus(GetDlgItem(window, IDC_HELP_TOPICS_TEXT));
        SendDlgItemMessageW(window, IDC_HELP_TOPICS_TEXT, EM_SETSEL, 0, 0);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
            EndDialog(window, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(window, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void ShowHelpPopup(HWND control, const DWORD* table) {
    const UINT topic = HelpTopicOf(FindHelpContext(table, GetDlgCtrlID(control)));
    HINSTANCE module = ModuleOf(control);
    const bool japanese = HelpInJapanese();
    WCHAR text[kTextChars];
    if (topic == 0 ||
        !LoadHelpString(module, HelpTextId(topic, japanese), japanese, text, kTextChars) ||
        !RegisterPopupClass(module)) {
        return;
    }
    const SIZE size = PopupSize(text);
    const POINT place = PopupPlace(control, size);
    HWND popup = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kHelpPopupClass, text,
                                 WS_POPUP | WS_BORDER, place.x, place.y, size.cx, size.cy,
                                 GetAncestor(control, GA_ROOT), nullptr, module, nullptr);
    if (popup == nullptr) {
        return;
    }
    ShowWindow(popup, SW_SHOW);
    SetFocus(popup);
    // Clicks outside the popup come to it too, so that any click closes it.
    SetCapture(popup);
}

void ShowHelpWindow(HWND page, const DWORD* table) {
    HelpListing listing{};
    listing.capacity = (kHelpTopics + 1) * (kCaptionChars + kTextChars + 8);
    listing.text = static_cast<LPWSTR>(GlobalAlloc(GMEM_FIXED, listing.capacity * sizeof(WCHAR)));
    if (listing.text == nullptr) {
        return;
    }
    listing.text[0] = 0;
    HINSTANCE module = ModuleOf(page);
    FillListing(&listing, module, table);
    DialogBoxParamW(module, MAKEINTRESOURCEW(IDD_HELP_TOPICS), GetAncestor(page, GA_ROOT),
                    HelpWindowProc, reinterpret_cast<LPARAM>(&listing));
    GlobalFree(listing.text);
}

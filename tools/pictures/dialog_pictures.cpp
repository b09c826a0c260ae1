// dialog_pictures DIRECTORY: draws the information page, the About dialog and the Warning dialog
// of the built DLL in English and Japanese on the current desktop and saves each as
// DIRECTORY\NAME-LANG.bmp, for a person to look at. Needs a real display (Xvfb will do).
#include "entry/ui_context.h"
#include "ui/small_dialogs.h"

#include <windows.h>
#include <prsht.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Language {
    LANGID id;
    const wchar_t* suffix;
};

constexpr Language kLanguages[] = {{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), L"en"},
                                   {MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), L"ja"}};

// Lets the window paint itself completely before it is read back from the screen.
void Settle(HWND window) {
    ShowWindow(window, SW_SHOWNORMAL);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int round = 0; round < 20; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(25);
    }
}

bool WriteBitmap(const std::wstring& path, HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<BYTE> bits(stride * static_cast<DWORD>(height));
    if (!GetDIBits(dc, bitmap, 0, height, bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
                   DIB_RGB_COLORS)) {
        return false;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) {
        return false;
    }
    fwrite(&file, sizeof file, 1, out);
    fwrite(&info, sizeof info, 1, out);
    fwrite(bits.data(), 1, bits.size(), out);
    return fclose(out) == 0;
}

// Reads the window's area back from the screen into a BMP file.
bool Capture(HWND window, const std::wstring& path) {
    Settle(window);
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    const bool written = WriteBitmap(path, memory, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::fwprintf(written ? stdout : stderr, written ? L"wrote %ls\n" : L"cannot write %ls\n",
                  path.c_str());
    return written;
}

// The information page inside a plain frame window, as the printer sheet would hold it.
bool RenderInfoPage(HINSTANCE module, const std::wstring& path) {
    static UiData ui{};
    static WCHAR driverName[] = L"Velmar VORIKA KLV-20";
    ui.pDriverName = driverName;
    HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_BORDER, 40, 40, 340, 200, nullptr,
                                 nullptr, nullptr, nullptr);
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.hInstance = module;
    page.lParam = reinterpret_cast<LPARAM>(&ui);
    HWND dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(kInfoTemplate), frame, UtilityProc,
                                     reinterpret_cast<LPARAM>(&page));
    bool written = false;
    if (dialog != nullptr) {
        RECT r;
        GetWindowRect(dialog, &r);
        SetWindowPos(frame, nullptr, 40, 40, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
        ShowWindow(dialog, SW_SHOW);
        written = Capture(frame, path);
        DestroyWindow(dialog);
    }
    DestroyWindow(frame);
    return written;
}

bool RenderModal(HINSTANCE module, int templateId, DLGPROC proc, const std::wstring& path) {
    HWND dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), nullptr, proc, 0);
    if (dialog == nullptr) {
        return false;
    }
    SetWindowPos(dialog, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const bool written = Capture(dialog, path);
    DestroyWindow(dialog);
    return written;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: dialog_pictures DIRECTORY\n");
        return 2;
    }
    const wchar_t* directory = argv[1];
    HINSTANCE module = LoadLibraryW(L"vorikaui.dll");
    if (module == nullptr) {
        std::fwprintf(stderr, L"dialog_pictures: vorikaui.dll not found beside the program\n");
        return 1;
    }
    const std::wstring dir = std::wstring(directory) + L"\\";
    int failures = 0;
    for (const Language& language : kLanguages) {
        // The resource loader picks each template's language from the thread's UI language on
        // Windows, and from the thread locale under Wine.
        SetThreadUILanguage(language.id);
        SetThreadLocale(MAKELCID(language.id, SORT_DEFAULT));
        const std::wstring suffix = std::wstring(L"-") + language.suffix + L".bmp";
        failures += !RenderInfoPage(module, dir + L"info" + suffix);
        failures += !RenderModal(module, kAboutTemplate, AboutProc, dir + L"about" + suffix);
        failures += !RenderModal(module, kWarningTemplate, WarningDlgFn, dir + L"warning" + suffix);
    }
    FreeLibrary(module);
    return failures == 0 ? 0 : 1;
}

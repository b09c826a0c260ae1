// correction_pictures DIRECTORY: draws the Image correction page (the default curve, strong
// contrast with the service controls shown, a high gamma) and the material details dialog (on a
// named and on a user preset) of the built DLL in English and Japanese on the current desktop,
// and saves each as DIRECTORY\NAME-LANG.bmp for a person to look at. Needs a display (Xvfb).
#include "entry/ui_context.h"
#include "pages/correction/correction_page.h"
#include "pages/correction/details_dialog.h"
#include "resources/resource.h"
#include "ui/dialog_host.h"

#include <windows.h>
#include <prsht.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

LANGID language = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

UINT WINAPI CountryOfLanguage(LPCWSTR, LPCWSTR, INT) {
    return PRIMARYLANGID(language) == LANG_JAPANESE ? 81 : 1;
}

void Settle(HWND window) {
    ShowWindow(window, SW_SHOWNORMAL);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int round = 0; round < 20; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
        Sleep(25);
    }
}

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
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<BYTE> bits(stride * static_cast<DWORD>(height));
    GetDIBits(memory, bitmap, 0, height, bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    const bool written = out != nullptr;
    if (written) {
        fwrite(&file, sizeof file, 1, out);
        fwrite(&info, sizeof info, 1, out);
        fwrite(bits.data(), 1, bits.size(), out);
        fclose(out);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::fwprintf(written ? stdout : stderr, L"%ls %ls\n", written ? L"wrote" : L"cannot write",
                  path.c_str());
    return written;
}

// The page's template in the language, made a child page as the property sheet makes it.
std::vector<BYTE> ChildPageTemplate(HINSTANCE module) {
    HRSRC found =
        FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(IDD_CORRECTION_PAGE), language);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    std::vector<BYTE> copy(bytes, bytes + SizeofResource(module, found));
    DWORD style;
    std::memcpy(&style, copy.data() + 12, sizeof style);
    style =
        (style & ~(WS_DISABLED | WS_POPUP | WS_CAPTION | DS_MODALFRAME)) | WS_CHILD | DS_CONTROL;
    std::memcpy(copy.data() + 12, &style, sizeof style);
    return copy;
}

bool RenderPage(HINSTANCE module, UiData* ui, bool service, const std::wstring& path) {
    HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_BORDER, 40, 40, 600, 500, nullptr,
                                 nullptr, nullptr, nullptr);
    const std::vector<BYTE> dialogTemplate = ChildPageTemplate(module);
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.hInstance = module;
    page.lParam = reinterpret_cast<LPARAM>(ui);
    HWND dialog =
        CreateDialogIndirectParamW(module, reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()),
                                   frame, OutputDlgProc, reinterpret_cast<LPARAM>(&page));
    bool written = false;
    if (dialog != nullptr) {
        RECT r;
        GetWindowRect(dialog, &r);
        SetWindowPos(frame, nullptr, 40, 40, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
        ShowWindow(frame, SW_SHOW);
        ShowWindow(dialog, SW_SHOW);
        ShowExtraControls(dialog, service);
        written = Capture(frame, path);
        DestroyWindow(dialog);
    }
    DestroyWindow(frame);
    return written;
}

bool RenderDetails(HINSTANCE module, UiData* ui, SHORT material, const std::wstring& path) {
    ui->devmode.ps.Material = material;
    HWND dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(IDD_DETAILS), nullptr, DetailsDlgFn,
                                     reinterpret_cast<LPARAM>(ui));
    if (dialog == nullptr) {
        return false;
    }
    SetWindowPos(dialog, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const bool written = Capture(dialog, path);
    // Cancel frees the working copy; the record is left alone.
    SendMessageW(dialog, WM_COMMAND, IDC_DETAILS_CANCEL, 0);
    DestroyWindow(dialog);
    return written;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: correction_pictures DIRECTORY\n");
        return 2;
    }
    HINSTANCE module = LoadLibraryW(L"vorikaui.dll");
    if (module == nullptr) {
        std::fwprintf(stderr, L"correction_pictures: vorikaui.dll not found beside the program\n");
        return 1;
    }
    g_dialogHost.GetProfileIntW = CountryOfLanguage;
    const std::wstring dir = std::wstring(argv[1]) + L"\\";
    int failures = 0;
    for (LANGID id : {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                      MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)}) {
        language = id;
        SetThreadUILanguage(id);
        SetThreadLocale(MAKELCID(id, SORT_DEFAULT));
        const std::wstring suffix =
            std::wstring(PRIMARYLANGID(id) == LANG_JAPANESE ? L"-ja" : L"-en") + L".bmp";
        static UiData ui;
        ui = UiData{};
        SetDefaultPrinterSettings(&ui.devmode.ps, kBaseDpiKlv20);
        failures += !RenderPage(module, &ui, false, dir + L"correction-default" + suffix);
        ui.devmode.ps.Contrast = 50;
        failures += !RenderPage(module, &ui, true, dir + L"correction-contrast" + suffix);
        ui.devmode.ps.Contrast = 0;
        ui.devmode.ps.Gamma = 899;
        failures += !RenderPage(module, &ui, false, dir + L"correction-gamma" + suffix);
        failures += !RenderDetails(module, &ui, 2, dir + L"details-named" + suffix);
        failures += !RenderDetails(module, &ui, 5, dir + L"details-user" + suffix);
    }
    FreeLibrary(module);
    return failures == 0 ? 0 : 1;
}

// dialog_pictures DIRECTORY: draws the About dialog and the Warning dialog of the built DLL in
// English and Japanese on the current desktop and saves each as DIRECTORY\NAME-LANG.bmp, for a
// person to look at. Needs a real display (Xvfb will do). The sheets' pages are saved by
// `vorikactl sheet` and `vorikactl printer-sheet`.
#include "resources/resource.h"
#include "tools/vorikactl/window_picture.h"
#include "ui/small_dialogs.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Language {
    LANGID id;
    const wchar_t* suffix;
};

constexpr Language kLanguages[] = {{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), L"en"},
                                   {MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), L"ja"}};

bool RenderModal(HINSTANCE module, int templateId, DLGPROC proc, const std::wstring& path) {
    HWND dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), nullptr, proc, 0);
    if (dialog == nullptr) {
        return false;
    }
    SetWindowPos(dialog, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const bool written = CaptureWindow(dialog, path);
    DestroyWindow(dialog);
    return written;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: dialog_pictures DIRECTORY\n");
        return 2;
    }
    HINSTANCE module = LoadLibraryW(L"vorikaui.dll");
    if (module == nullptr) {
        std::fwprintf(stderr, L"dialog_pictures: vorikaui.dll not found beside the program\n");
        return 1;
    }
    const std::wstring dir = std::wstring(argv[1]) + L"\\";
    int failures = 0;
    for (const Language& language : kLanguages) {
        UseLanguage(language.id);
        const std::wstring suffix = std::wstring(L"-") + language.suffix + L".bmp";
        failures += !RenderModal(module, IDD_ABOUT, AboutProc, dir + L"about" + suffix);
        failures += !RenderModal(module, IDD_WARNING, WarningDlgFn, dir + L"warning" + suffix);
    }
    FreeLibrary(module);
    return failures == 0 ? 0 : 1;
}

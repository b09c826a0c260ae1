#include "tools/vorikactl/sheet.h"
#include "tools/vorikactl/console.h"
#include "tools/vorikactl/devmode_print.h"
#include "tools/vorikactl/find_sheet.h"
#include "tools/vorikactl/spooler.h"
#include "tools/vorikactl/window_picture.h"

#include "resources/resource.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>

namespace {

// The sheet being photographed: where its pages go and under which names.
struct Photographer {
    std::wstring directory;
    std::wstring name;           // "document-LANG" or "printer-LANG"
    bool materialStates = false; // the document sheet's first page in its other states
    bool done = false;
    bool helpWindowSaved = false;
    int failures = 0;
};

Photographer* photographer = nullptr;

void Photograph(HWND window, const std::wstring& state, HWND around = nullptr) {
    const std::wstring path =
        photographer->directory + L"\\" + photographer->name + L"-" + state + L".bmp";
    photographer->failures += CaptureWindow(window, path, around) ? 0 : 1;
}

// The Warning that switching extended size on opens: a dialog of this thread with an OK button
// that is not the sheet.
void CALLBACK AnswerWarning(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND warning = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            if (!IsWindowVisible(window) || GetDlgItem(window, IDOK) == nullptr ||
                PropSheet_GetTabControl(window) != nullptr) {
                return TRUE;
            }
            *reinterpret_cast<HWND*>(out) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&warning));
    if (warning != nullptr) {
        KillTimer(nullptr, timer);
        PostMessageW(warning, WM_COMMAND, IDOK, 0);
    }
}

void HoldServiceChord(bool down) {
    const DWORD keyUp = down ? 0 : KEYEVENTF_KEYUP;
    INPUT input[3] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = VK_MENU;
    input[0].ki.dwFlags = keyUp;
    input[1].type = INPUT_KEYBOARD;
    input[1].ki.wVk = VK_SHIFT;
    input[1].ki.dwFlags = keyUp;
    input[2].type = INPUT_MOUSE;
    input[2].mi.dwFlags = down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    SendInput(3, input, sizeof(INPUT));
}

// The Material page in the states a person reaches on it: sizes in inches, extended size switched
// on (its Warning answered), and the service controls its corner chord reveals.
void PhotographMaterialStates(HWND sheet) {
    PropSheet_SetCurSel(sheet, nullptr, 0);
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    SendDlgItemMessageW(page, IDC_UNIT_INCH, BM_CLICK, 0, 0);
    Photograph(sheet, L"1-inches");
    SetTimer(nullptr, 0, 100, AnswerWarning);
    SendDlgItemMessageW(page, IDC_EXTENDED_SIZE, BM_CLICK, 0, 0);
    Photograph(sheet, L"1-extended");
    HoldServiceChord(true);
    SendMessageW(page, WM_LBUTTONDBLCLK, MK_MBUTTON | MK_SHIFT, MAKELPARAM(5, 5));
    HoldServiceChord(false);
    Photograph(sheet, L"1-service");
}

// A window of this thread of the given class, or holding a control of the given ID.
HWND FindThreadWindow(LPCWSTR className, int controlId) {
    struct Wanted {
        LPCWSTR className;
        int controlId;
        HWND found;
    } wanted = {className, controlId, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* w = reinterpret_cast<Wanted*>(param);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            const bool match = IsWindowVisible(window) &&
                               ((w->className != nullptr && lstrcmpW(name, w->className) == 0) ||
                                (w->controlId != 0 && GetDlgItem(window, w->controlId) != nullptr));
            w->found = match ? window : nullptr;
            return !match;
        },
        reinterpret_cast<LPARAM>(&wanted));
    return wanted.found;
}

// The context help a person gets with F1 on a field of a page: its popup, saved with the sheet.
void PhotographHelpPopup(HWND sheet, int page, int field, const wchar_t* state) {
    PropSheet_SetCurSel(sheet, nullptr, page);
    HWND dialog = PropSheet_GetCurrentPageHwnd(sheet);
    HWND control = GetDlgItem(dialog, field);
    HELPINFO info{sizeof info, HELPINFO_WINDOW, field, control, 0, {0, 0}};
    SendMessageW(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    HWND popup = FindThreadWindow(L"VorikaHelpPopup", 0);
    if (popup == nullptr) {
        ++photographer->failures;
        return;
    }
    Photograph(popup, state, sheet);
    DestroyWindow(popup);
}

// The help window that the sheet's Help button opens, saved and closed from inside its own loop.
void CALLBACK PhotographHelpWindow(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = FindThreadWindow(nullptr, IDC_HELP_TOPICS_TEXT);
    if (window != nullptr) {
        KillTimer(nullptr, timer);
        Photograph(window, L"3-help");
        photographer->helpWindowSaved = true;
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
}

// The page's help as a person asks for it: F1 on the Material page's width and the Image
// correction page's gamma, and the Slope correction page's Help button.
void PhotographHelp(HWND sheet) {
    PhotographHelpPopup(sheet, 0, IDC_WIDTH_EDIT, L"1-help-width");
    PhotographHelpPopup(sheet, 1, IDC_GAMMA_EDIT, L"2-help-gamma");
    PropSheet_SetCurSel(sheet, nullptr, 2);
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, PhotographHelpWindow);
    // The button's click itself: the sheet's press-button message only posts it.
    SendMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDHELP, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(sheet, IDHELP)));
    KillTimer(nullptr, timer); // when no help window opened
    photographer->failures += photographer->helpWindowSaved ? 0 : 1;
}

// Runs inside the sheet's modal loop: each page in turn, then Cancel, so that nothing is stored.
void CALLBACK PhotographSheet(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sheet = FindThreadSheet();
    if (sheet == nullptr || photographer->done) {
        return;
    }
    KillTimer(nullptr, timer);
    photographer->done = true;
    const int pages = TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet));
    for (int i = 0; i < pages; ++i) {
        PropSheet_SetCurSel(sheet, nullptr, i);
        Photograph(sheet, std::to_wstring(i + 1));
    }
    if (photographer->materialStates) {
        PhotographHelp(sheet);
        PhotographMaterialStates(sheet);
    }
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
}

// Prepares the thread for the sheet: its language, and the photographer when pictures are asked.
void Prepare(const SheetOptions& options, Photographer* p, const wchar_t* sheetName) {
    if (options.language != 0) {
        UseLanguage(options.language);
    }
    if (options.picturesDirectory == nullptr) {
        return;
    }
    const bool japanese = PRIMARYLANGID(options.language) == LANG_JAPANESE;
    p->directory = options.picturesDirectory;
    p->name = std::wstring(sheetName) + (japanese ? L"-ja" : L"-en");
    photographer = p;
    SetTimer(nullptr, 0, 100, PhotographSheet);
}

int Finish(const Photographer& p, const SheetOptions& options) {
    photographer = nullptr;
    if (options.picturesDirectory != nullptr && (!p.done || p.failures != 0)) {
        std::fputs("vorikactl: the sheet's pages could not all be saved\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace

int DocumentSheet(LPCWSTR printerName, const SheetOptions& options) {
    PrinterHandle printer(printerName);
    if (!printer) {
        return Fail("no printer", printerName, GetLastError());
    }
    LPWSTR name = const_cast<LPWSTR>(printerName);
    const LONG size = DocumentPropertiesW(nullptr, printer.get(), name, nullptr, nullptr, 0);
    if (size < static_cast<LONG>(sizeof(DEVMODEW))) {
        return Fail("the driver gives no DEVMODE size for printer", printerName);
    }
    std::vector<BYTE> out(static_cast<size_t>(size));
    Photographer p;
    p.materialStates = true;
    Prepare(options, &p, L"document");
    const LONG answer =
        DocumentPropertiesW(nullptr, printer.get(), name, reinterpret_cast<DEVMODEW*>(out.data()),
                            nullptr, DM_OUT_BUFFER | DM_IN_PROMPT);
    std::printf("DocumentPropertiesW(DM_IN_PROMPT | DM_OUT_BUFFER) answers %ld\n",
                static_cast<long>(answer));
    if (answer >= 0) {
        PrintDevMode(stdout, reinterpret_cast<const DEVMODEW*>(out.data()), out.size());
    }
    return answer < 0 ? 1 : Finish(p, options);
}

int PrinterSheet(LPCWSTR printerName, const SheetOptions& options) {
    PrinterHandle printer(printerName);
    if (!printer) {
        return Fail("no printer", printerName, GetLastError());
    }
    // Wine's winspool does not hand PrinterProperties on to the driver: the call goes to the
    // printer's configuration file, as the spooler of Windows would make it.
    const std::vector<BYTE> driver = ReadDriverInfo2(printer.get());
    if (driver.empty()) {
        return Fail("no driver information for printer", printerName, GetLastError());
    }
    HMODULE config =
        LoadLibraryW(reinterpret_cast<const DRIVER_INFO_2W*>(driver.data())->pConfigFile);
    auto printerProperties = reinterpret_cast<BOOL(WINAPI*)(HWND, HANDLE)>(reinterpret_cast<void*>(
        config != nullptr ? GetProcAddress(config, "PrinterProperties") : nullptr));
    if (printerProperties == nullptr) {
        return Fail("the driver has no printer sheet for printer", printerName, GetLastError());
    }
    Photographer p;
    Prepare(options, &p, L"printer");
    const BOOL answer = printerProperties(nullptr, printer.get());
    std::printf("PrinterProperties answers %s\n", answer ? "TRUE" : "FALSE");
    FreeLibrary(config);
    return Finish(p, options);
}

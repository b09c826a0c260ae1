// The document sheet's cost through Wine's own property-sheet host: DocumentPropertiesW with a
// prompt until all three pages are initialised, against the same host running the driver's own
// three pages (the same templates, icons, help buttons, titles and page callback) whose
// procedures do nothing, the two alternating in the same run; and, for scale, three empty pages
// of the same sizes. Each sheet is driven the same way: as soon as it is active, its second and
// third pages are selected (which creates them) and it is cancelled.
//
//   sheet_bench [--rounds N] PRINTER
#include <windows.h>
#include <winspool.h>
#include <commctrl.h>
#include <prsht.h>
#include <winddiui.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kDrive = WM_APP + 17;
constexpr int kPages = 3;

double Now() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// ---- Driving a sheet: select every page, then cancel ----

HWND gSheet = nullptr;

LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && gSheet == nullptr &&
        PropSheet_GetTabControl(reinterpret_cast<HWND>(wParam)) != nullptr) {
        gSheet = reinterpret_cast<HWND>(wParam);
        PostThreadMessageW(GetCurrentThreadId(), kDrive, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OnMessage(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->hwnd == nullptr &&
        msg->message == kDrive && gSheet != nullptr) {
        for (int i = 1; i < kPages; ++i) {
            PropSheet_SetCurSel(gSheet, nullptr, i);
        }
        PropSheet_PressButton(gSheet, PSBTN_CANCEL);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

template <typename Run> double TimeSheet(Run run) {
    gSheet = nullptr;
    HHOOK cbt = SetWindowsHookExW(WH_CBT, OnActivate, nullptr, GetCurrentThreadId());
    HHOOK get = SetWindowsHookExW(WH_GETMESSAGE, OnMessage, nullptr, GetCurrentThreadId());
    const double start = Now();
    run();
    const double seconds = Now() - start;
    UnhookWindowsHookEx(get);
    UnhookWindowsHookEx(cbt);
    return seconds * 1000;
}

// ---- Three empty pages of the driver's page sizes ----

struct EmptyPage {
    DLGTEMPLATE tmpl; // followed by no menu, the default class, no title
    WORD menu, windowClass, title;
};

std::vector<EmptyPage> gEmptyPages;
// The driver's own pages as its sheet adds them (templates and icon from its module, a help
// button, a title, a page callback), run with procedures that do nothing: what the platform
// spends on the pages alone. Without a module the pages are the empty ones.
HMODULE gPageModule = nullptr;
std::vector<const DLGTEMPLATE*> gBareTemplates;
const std::vector<const DLGTEMPLATE*>* gSheetPages = nullptr;
constexpr WORD kDocumentPageIcon = 502;
LPCWSTR gPrinterName = L"";

INT_PTR CALLBACK EmptyPageProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

UINT CALLBACK EmptyPageCallback(HWND, UINT, LPPROPSHEETPAGEW) {
    return 1;
}

void AddPages(PROPSHEETUI_INFO* info) {
    for (size_t i = 0; i < gSheetPages->size(); ++i) {
        PROPSHEETPAGEW psp{};
        psp.dwSize = sizeof psp;
        psp.pfnDlgProc = EmptyPageProc;
        if (gPageModule != nullptr) {
            psp.dwFlags = PSP_USEICONID | PSP_HASHELP | PSP_USECALLBACK;
            psp.hInstance = gPageModule;
            psp.pszTemplate = MAKEINTRESOURCEW(i + 1);
            psp.pszIcon = MAKEINTRESOURCEW(kDocumentPageIcon);
            psp.pszTitle = L"----";
            psp.pfnCallback = EmptyPageCallback;
        } else {
            psp.dwFlags = PSP_DLGINDIRECT;
            psp.pResource = (*gSheetPages)[i];
        }
        info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                              reinterpret_cast<LPARAM>(&psp), 0);
    }
}

LONG CALLBACK EmptySheet(PROPSHEETUI_INFO* info, LPARAM lParam) {
    if (info->Reason == PROPSHEETUI_REASON_INIT) {
        AddPages(info);
        return 1;
    }
    if (info->Reason == PROPSHEETUI_REASON_GET_INFO_HEADER) {
        auto* header = reinterpret_cast<PROPSHEETUI_INFO_HEADER*>(lParam);
        header->Flags = PSUIHDRF_PROPTITLE;
        header->pTitle = const_cast<LPWSTR>(gPrinterName);
        header->hInst = gPageModule;
        return 1;
    }
    return info->Reason <= PROPSHEETUI_REASON_GET_ICON ? 1 : -1;
}

// The size of a DLGTEMPLATEEX in the driver's resources.
bool PageSize(HMODULE driver, int id, short* cx, short* cy) {
    HRSRC found = FindResourceW(driver, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    const BYTE* bytes =
        found ? static_cast<const BYTE*>(LockResource(LoadResource(driver, found))) : nullptr;
    if (bytes == nullptr) {
        return false;
    }
    gBareTemplates.push_back(reinterpret_cast<const DLGTEMPLATE*>(bytes));
    // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
    std::memcpy(cx, bytes + 22, sizeof *cx);
    std::memcpy(cy, bytes + 24, sizeof *cy);
    return true;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    int rounds = 21;
    std::wstring printer;
    for (int i = 1; i < argc; ++i) {
        if (std::wstring(argv[i]) == L"--rounds" && i + 1 < argc) {
            rounds = std::max(1, _wtoi(argv[++i]));
        } else {
            printer = argv[i];
        }
    }
    HANDLE handle = nullptr;
    if (printer.empty() || !OpenPrinterW(printer.data(), &handle, nullptr)) {
        std::fputs("usage: sheet_bench [--rounds N] PRINTER (an installed printer of the driver)\n",
                   stderr);
        return 2;
    }
    HMODULE driver = LoadLibraryExW(L"vorikaui.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HMODULE host = LoadLibraryW(L"compstui.dll");
    auto common = reinterpret_cast<LONG(WINAPI*)(HWND, PFNPROPSHEETUI, LPARAM, LPDWORD)>(
        reinterpret_cast<void*>(GetProcAddress(host, "CommonPropertySheetUIW")));
    for (int id = 1; id <= kPages; ++id) {
        EmptyPage page{};
        page.tmpl.style = WS_CHILD | DS_CONTROL;
        if (driver == nullptr || !PageSize(driver, id, &page.tmpl.cx, &page.tmpl.cy)) {
            std::fputs("sheet_bench: vorikaui.dll's page templates not found beside it\n", stderr);
            return 1;
        }
        gEmptyPages.push_back(page);
    }
    std::vector<BYTE> out(1756);
    auto documentSheet = [&] {
        DocumentPropertiesW(nullptr, handle, printer.data(),
                            reinterpret_cast<DEVMODEW*>(out.data()), nullptr,
                            DM_OUT_BUFFER | DM_IN_PROMPT);
    };
    std::vector<const DLGTEMPLATE*> empties;
    for (const EmptyPage& page : gEmptyPages) {
        empties.push_back(&page.tmpl);
    }
    auto emptySheet = [&] {
        DWORD result = 0;
        gSheetPages = &empties;
        common(nullptr, EmptySheet, 0, &result);
    };
    // The driver's pages come from the module the spooler loaded for the document sheet.
    HMODULE loaded = nullptr;
    auto bareSheet = [&] {
        DWORD result = 0;
        gSheetPages = &gBareTemplates;
        gPageModule = loaded;
        common(nullptr, EmptySheet, 0, &result);
        gPageModule = nullptr;
    };
    gPrinterName = printer.c_str();
    TimeSheet(documentSheet); // the first opening loads what all need
    loaded = GetModuleHandleW(L"vorikaui.dll");
    if (loaded == nullptr) {
        std::fputs("sheet_bench: the spooler did not load vorikaui.dll\n", stderr);
        return 1;
    }
    TimeSheet(emptySheet);
    TimeSheet(bareSheet);
    // Rounds of the three sheets, each round in another order.
    std::vector<double> sheet, empty, bare, ratio, bareRatio;
    for (int r = 0; r < rounds; ++r) {
        double t[3];
        for (int k = 0; k < 3; ++k) {
            const int which = (k + r) % 3;
            t[which] = TimeSheet(which == 0   ? std::function<void()>(documentSheet)
                                 : which == 1 ? std::function<void()>(emptySheet)
                                              : std::function<void()>(bareSheet));
        }
        sheet.push_back(t[0]);
        empty.push_back(t[1]);
        bare.push_back(t[2]);
        ratio.push_back(t[0] / t[1]);
        bareRatio.push_back(t[0] / t[2]);
    }
    // What the request costs without a sheet: the spooler reads and the merge.
    std::vector<double> plain;
    for (int r = 0; r < rounds; ++r) {
        plain.push_back(TimeSheet([&] {
            DocumentPropertiesW(nullptr, handle, printer.data(),
                                reinterpret_cast<DEVMODEW*>(out.data()), nullptr, DM_OUT_BUFFER);
        }));
    }
    std::printf("| sheet | median ms |\n|---|---|\n");
    std::printf("| the same request without a sheet | %.2f |\n", Median(plain));
    std::printf("| document sheet, three pages initialised | %.2f |\n", Median(sheet));
    std::printf("| the driver's pages (templates, icons, help buttons) with procedures that do "
                "nothing | %.2f |\n",
                Median(bare));
    std::printf("| three empty pages of the same sizes | %.2f |\n", Median(empty));
    std::printf("| ratio document sheet / the driver's pages doing nothing (median of %d rounds) | "
                "%.3f |\n",
                rounds, Median(bareRatio));
    std::printf("| ratio document sheet / empty pages (median of %d rounds) | %.2f |\n", rounds,
                Median(ratio));
    ClosePrinter(handle);
    return 0;
}

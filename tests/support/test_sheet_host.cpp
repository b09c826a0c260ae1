#include "tests/support/test_sheet_host.h"

#include "context/ui_context.h"
#include "tests/support/devmode_bytes.h"

namespace {

TestSheetHost* host = nullptr;

LONG_PTR WINAPI HostCallback(HANDLE, UINT function, LPARAM lParam1, LPARAM lParam2) {
    if (function == CPSFUNC_ADD_PROPSHEETPAGEW) {
        host->pages.push_back(*reinterpret_cast<const PROPSHEETPAGEW*>(lParam1));
        return 1;
    }
    if (function == CPSFUNC_SET_RESULT) {
        host->resultsSet.push_back(lParam2);
    }
    if (function != CPSFUNC_SET_RESULT || !host->deliversResult) {
        return 0;
    }
    SETRESULT_INFO result{sizeof result, 0, nullptr, lParam2};
    host->info.Reason = PROPSHEETUI_REASON_SET_RESULT;
    return host->sheet(&host->info, LPARAM(&result));
}

LONG WINAPI RunSheet(HWND, PFNPROPSHEETUI sheet, LPARAM lParam, LPDWORD pResult) {
    PROPSHEETUI_INFO& info = host->info;
    host->sheet = sheet;
    host->requestFlags = reinterpret_cast<const WORD*>(lParam)[1];
    info.cbSize = sizeof info, info.lParamInit = lParam, info.pfnComPropSheet = HostCallback;
    info.hComPropSheet = reinterpret_cast<HANDLE>(0x4344), info.Reason = PROPSHEETUI_REASON_INIT;
    if (sheet(&info, lParam) <= 0) {
        return -1;
    }
    PROPSHEETUI_INFO_HEADER header{};
    header.cbSize = sizeof header;
    info.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
    sheet(&info, LPARAM(&header));
    host->headerFlags = header.Flags;
    // The sheet opens on its first page; the user edits and applies, then visits the other
    // pages, whose dialogs are created only then; at the end every page is released. Only the
    // release step may store anything.
    auto* ui = reinterpret_cast<UiData*>(info.UserData);
    for (size_t i = 0; i < host->pages.size(); ++i) {
        PROPSHEETPAGEW& page = host->pages[i];
        if (page.pfnCallback != nullptr) {
            EXPECT_EQ(page.pfnCallback(nullptr, PSPCB_CREATE, &page), 1u);
        }
        if (i == 0 && host->confirm && IsValidUiData(ui)) {
            ui->devmode.ps.UserDefinedX = host->editedWidth;
            ui->bApplied = 1;
        }
    }
    for (PROPSHEETPAGEW& page : host->pages) {
        if (page.pfnCallback != nullptr) {
            EXPECT_EQ(page.pfnCallback(nullptr, PSPCB_RELEASE, &page), 1u);
        }
    }
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    sheet(&info, 0);
    *pResult = static_cast<DWORD>(info.Result);
    return 1;
}

const SheetHostOps kTestHost = {
    [](void) WINAPI { return ++host->modulesHeld, reinterpret_cast<HMODULE>(0x10000); },
    [](HMODULE, LPCSTR)
        WINAPI { return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(RunSheet)); },
    [](HMODULE) WINAPI -> BOOL { return --host->modulesHeld, TRUE; },
    [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) WINAPI -> LRESULT {
        const bool sent = window == HWND_BROADCAST && message == WM_DEVMODECHANGE && wParam == 0;
        host->broadcasts.push_back(sent ? WString(reinterpret_cast<LPCWSTR>(lParam)) : WString());
        return 0;
    }};

} // namespace

TestSheetHost::TestSheetHost(bool confirm, bool deliversResult, SHORT editedWidth)
    : confirm(confirm), deliversResult(deliversResult), editedWidth(editedWidth),
      seam(g_sheetHost, kTestHost) {
    host = this;
}

TestSheetHost::~TestSheetHost() {
    EXPECT_EQ(modulesHeld, 0) << "the sheet host was not freed";
    host = nullptr;
}

StoredPrinter::StoredPrinter() : TestPrinter(testdm::kKlv20) {
    const PrinterSettings stored = testdm::Record(720, 410);
    EXPECT_EQ(SavePrinterProperties(handle(), &stored, sizeof stored), 1u);
}

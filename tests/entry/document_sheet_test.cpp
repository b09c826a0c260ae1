// The sheets run by a host of our own that does what the platform's host does: it asks the sheet
// function to initialise, add its pages and describe its header, lets the user confirm or
// cancel, runs each page's release step, delivers the result the release step sets, destroys
// the sheet and hands the result to the caller.
#include "entry/document_properties.h"
#include "entry/sheet_host.h"
#include "entry/ui_context.h"
#include "settings/printer_data.h"
#include "tests/support/seam_override.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#ifndef _WIN32
#include "platform/posix/standin_control.h"
#endif

namespace {

constexpr LPCWSTR kModel = TEXT("Velmar VORIKA KLV-20");

struct HostRun {
    bool confirm = true;     // the user presses OK (the pages report the sheet applied)
    SHORT editedWidth = 600; // what the user typed on the Material page
    std::vector<PROPSHEETPAGEW> pages;
    PROPSHEETUI_INFO info{};
    int broadcasts = 0;
    WORD headerFlags = 0;
};

HostRun* run = nullptr;

LONG_PTR WINAPI HostCallback(HANDLE, UINT function, LPARAM lParam1, LPARAM lParam2) {
    if (function == CPSFUNC_ADD_PROPSHEETPAGEW) {
        run->pages.push_back(*reinterpret_cast<const PROPSHEETPAGEW*>(lParam1));
        return 1;
    }
    if (function == CPSFUNC_SET_RESULT) {
        SETRESULT_INFO result{};
        result.cbSize = sizeof result;
        result.Result = lParam2;
        run->info.Reason = PROPSHEETUI_REASON_SET_RESULT;
        return DrvDocumentPropertySheets(&run->info, reinterpret_cast<LPARAM>(&result));
    }
    return 0;
}

LONG WINAPI TestHost(HWND, PFNPROPSHEETUI sheet, LPARAM lParam, LPDWORD pResult) {
    PROPSHEETUI_INFO& info = run->info;
    info.cbSize = sizeof info;
    info.lParamInit = lParam;
    info.pfnComPropSheet = HostCallback;
    info.hComPropSheet = reinterpret_cast<HANDLE>(0x4344);
    info.Reason = PROPSHEETUI_REASON_INIT;
    if (sheet(&info, lParam) <= 0) {
        return -1;
    }
    PROPSHEETUI_INFO_HEADER header{};
    header.cbSize = sizeof header;
    info.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
    sheet(&info, reinterpret_cast<LPARAM>(&header));
    run->headerFlags = header.Flags;
    auto* ui = reinterpret_cast<UiData*>(info.UserData);
    if (run->confirm && sheet == DrvDocumentPropertySheets) {
        ui->devmode.ps.UserDefinedX = run->editedWidth;
        ui->bApplied = 1;
    }
    for (PROPSHEETPAGEW& page : run->pages) {
        if (page.pfnCallback != nullptr) {
            page.pfnCallback(nullptr, PSPCB_RELEASE, &page);
        }
    }
    info.Reason = PROPSHEETUI_REASON_DESTROY;
    sheet(&info, 0);
    *pResult = static_cast<DWORD>(info.Result);
    return CPSUI_OK;
}

HMODULE WINAPI LoadTestHost() {
    return reinterpret_cast<HMODULE>(0x10000);
}

FARPROC WINAPI FindTestHost(HMODULE, LPCSTR name) {
    return std::strcmp(name, "CommonPropertySheetUIW") == 0
               ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(TestHost))
               : nullptr;
}

BOOL WINAPI FreeTestHost(HMODULE) {
    return TRUE;
}

LRESULT WINAPI CountBroadcast(HWND window, UINT message, WPARAM, LPARAM) {
    run->broadcasts += window == HWND_BROADCAST && message == WM_DEVMODECHANGE ? 1 : 0;
    return 0;
}

class Sheet : public ::testing::Test {
  protected:
    SeamOverride<decltype(g_sheetHost.LoadSheetHost)> load_{g_sheetHost.LoadSheetHost,
                                                            LoadTestHost};
    SeamOverride<decltype(g_sheetHost.FindSheetEntry)> find_{g_sheetHost.FindSheetEntry,
                                                             FindTestHost};
    SeamOverride<decltype(g_sheetHost.FreeSheetHost)> free_{g_sheetHost.FreeSheetHost,
                                                            FreeTestHost};
    SeamOverride<decltype(g_sheetHost.Broadcast)> broadcast_{g_sheetHost.Broadcast, CountBroadcast};
    HostRun host_;
    void SetUp() override { run = &host_; }
    void TearDown() override { run = nullptr; }
};

SHORT StoredWidth(const TestPrinter& printer) {
    PrinterSettings* stored = GetPrinterProperties(printer.handle(), printer.model());
    const SHORT width = stored->UserDefinedX;
    GlobalFree(stored);
    return width;
}

struct SheetCase {
    const char* name;
    bool confirm;
    DWORD fMode;
    LONG answer;
    SHORT outputWidth; // 0: the caller's buffer is left alone
    SHORT storedWidth;
    int broadcasts;
};

constexpr SheetCase kSheetCases[] = {
    {"confirmed", true, DM_PROMPT | DM_COPY, IDOK, 600, 600, 3},
    {"cancelled: the merged DEVMODE written at the start stays", false, DM_PROMPT | DM_COPY,
     IDCANCEL, 500, 500, 0},
    {"confirmed without output: stored, nothing written", true, DM_PROMPT, IDOK, 0, 600, 3},
};

TEST_F(Sheet, DocumentSheetConfirmedOrCancelled) {
    for (const SheetCase& c : kSheetCases) {
        SCOPED_TRACE(c.name);
        TestPrinter printer(kModel);
        host_ = HostRun{};
        host_.confirm = c.confirm;
        DriverDevMode out;
        std::memset(&out, 0xCD, sizeof out);
        EXPECT_EQ(DrvDocumentProperties(nullptr, printer.handle(),
                                        const_cast<LPWSTR>(printer.name()), &out.dm, nullptr,
                                        c.fMode),
                  c.answer);
        ASSERT_EQ(host_.pages.size(), 3u);
        EXPECT_EQ(host_.pages[2].pszTemplate, MAKEINTRESOURCEW(3));
        EXPECT_EQ(host_.pages[0].dwSize, sizeof(PROPSHEETPAGEW));
        EXPECT_EQ(host_.headerFlags, PSUIHDRF_PROPTITLE);
        if (c.outputWidth != 0) {
            EXPECT_EQ(out.ps.UserDefinedX, c.outputWidth);
            EXPECT_EQ(out.dm.dmPaperWidth, c.outputWidth);
        } else {
            EXPECT_EQ(out.dm.dmSize, 0xCDCD);
        }
        EXPECT_EQ(StoredWidth(printer), c.storedWidth);
        EXPECT_EQ(host_.broadcasts, c.broadcasts);
        EXPECT_EQ(host_.info.UserData, 0u);
    }
}

#ifndef _WIN32
TEST_F(Sheet, ContextIsReleasedOnceAtTheSheetsEnd) {
    TestPrinter printer(kModel);
    DriverDevMode out;
    DrvDocumentProperties(nullptr, printer.handle(), const_cast<LPWSTR>(printer.name()), &out.dm,
                          nullptr, DM_PROMPT | DM_COPY);
    const long live = standin::LiveAllocations();
    host_.info.Reason = PROPSHEETUI_REASON_DESTROY;
    EXPECT_EQ(DrvDocumentPropertySheets(&host_.info, 0), 1);
    EXPECT_EQ(standin::LiveAllocations(), live);
}
#endif

TEST_F(Sheet, PrinterSheetShowsTheInformationPageAndProbesPermission) {
    TestPrinter printer(kModel);
    host_.confirm = false;
    host_.info.Result = CPSUI_OK;
    EXPECT_TRUE(PrinterProperties(nullptr, printer.handle()));
    ASSERT_EQ(host_.pages.size(), 1u);
    EXPECT_EQ(host_.pages[0].pszTemplate, MAKEINTRESOURCEW(4));
    EXPECT_EQ(host_.pages[0].pfnCallback, nullptr);
    EXPECT_EQ(host_.headerFlags, PSUIHDRF_NOAPPLYNOW | PSUIHDRF_PROPTITLE);
    DWORD type = 0;
    std::vector<BYTE> permission;
    ASSERT_TRUE(printer.Get(TEXT("Permission"), &type, &permission));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(permission, (std::vector<BYTE>{1, 0, 0, 0}));

    PrinterSettings notAContext{};
    PROPSHEETUI_INFO later{};
    DEVICEPROPERTYHEADER header{};
    later.lParamInit = reinterpret_cast<LPARAM>(&header);
    later.Reason = PROPSHEETUI_REASON_GET_ICON;
    later.UserData = reinterpret_cast<ULONG_PTR>(&notAContext);
    EXPECT_EQ(DrvDevicePropertySheets(&later, 0), -1);
}

TEST_F(Sheet, NoHostNoSheet) {
    TestPrinter printer(kModel);
    SeamOverride<decltype(g_sheetHost.LoadSheetHost)> none{
        g_sheetHost.LoadSheetHost, [](void) WINAPI -> HMODULE { return nullptr; }};
    DriverDevMode out;
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer.handle(), const_cast<LPWSTR>(printer.name()),
                                    &out.dm, nullptr, DM_PROMPT | DM_COPY),
              -1);
    EXPECT_FALSE(PrinterProperties(nullptr, printer.handle()));
}

} // namespace

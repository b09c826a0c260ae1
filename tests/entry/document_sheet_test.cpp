// The sheets run by our own host: the document sheet confirmed, cancelled, or confirmed without
// an output asked for; the printer sheet; no host at all.
#include "entry/document_properties.h"
#include "entry/ui_context.h"
#include "settings/printer_data.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_sheet_host.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "platform/posix/standin_control.h"
#endif

namespace {

using namespace testdm;

// On a printer with a 72 mm work width stored, where the user types 60 mm.
TEST(DocumentSheet, ConfirmedOrCancelled) {
    const struct {
        bool advanced, confirm;
        DWORD fMode;
        LONG answer;
        SHORT outputWidth; // 0: the caller's buffer is left alone
        SHORT storedWidth;
    } cases[] = {{false, true, DM_PROMPT | DM_COPY, IDOK, 600, 600},
                 {false, false, DM_PROMPT | DM_UPDATE, IDCANCEL, 720, 720},
                 {false, true, DM_PROMPT, IDOK, 0, 600},
                 {true, true, 0, 1, 600, 600},
                 {true, false, 0, 0, 720, 720}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.fMode << ", confirmed " << c.confirm);
        TestPrinter printer(kKlv20);
        const PrinterSettings stored = Record(720, 410);
        ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
        // An idle record, as after any request.
        ReleaseUiData(FillUiData(printer.handle(), nullptr));
#ifndef _WIN32
        const long live = standin::LiveAllocations();
#endif
        TestSheetHost host;
        host.confirm = c.confirm;
        DriverDevMode out;
        std::memset(&out, 0xCD, sizeof out);
        WString name(printer.name());
        EXPECT_EQ(c.advanced ? DrvAdvancedDocumentProperties(nullptr, printer.handle(), name.data(),
                                                             &out.dm, nullptr)
                             : DrvDocumentProperties(nullptr, printer.handle(), name.data(),
                                                     &out.dm, nullptr, c.fMode),
                  c.answer);
        ASSERT_EQ(host.pages.size(), 3u);
        for (WORD i = 0; i < 3; ++i) {
            EXPECT_EQ(host.pages[i].pszTemplate, MAKEINTRESOURCEW(i + 1));
            EXPECT_NE(host.pages[i].pfnCallback, nullptr);
        }
        EXPECT_EQ(host.headerFlags, PSUIHDRF_PROPTITLE);
        EXPECT_EQ(out.dm.dmSize, c.outputWidth ? sizeof out.dm : 0xCDCD);
        EXPECT_EQ(out.ps.UserDefinedX, c.outputWidth ? c.outputWidth : SHORT(0xCDCD));
        EXPECT_EQ(out.dm.dmPaperWidth, c.outputWidth ? c.outputWidth : SHORT(0xCDCD));
        PrinterSettings* now = GetPrinterProperties(printer.handle(), kKlv20);
        EXPECT_EQ(now->UserDefinedX, c.storedWidth);
        GlobalFree(now);
        // Each of the three pages runs the release step of a confirmed sheet.
        EXPECT_EQ(host.broadcasts, std::vector<WString>(c.confirm ? 3 : 0, kKlv20));
        // The context went at the sheet's destroy call; a second one releases nothing.
        EXPECT_EQ(host.info.UserData, 0u);
        host.info.Reason = PROPSHEETUI_REASON_DESTROY;
        EXPECT_EQ(DrvDocumentPropertySheets(&host.info, 0), 1);
#ifndef _WIN32
        EXPECT_EQ(standin::LiveAllocations(), live);
#endif
    }
}

TEST(PrinterSheet, ShowsTheInformationPageAndProbesPermission) {
    TestPrinter printer(kKlv20);
    TestSheetHost host;
    host.info.Result = CPSUI_OK;
    EXPECT_TRUE(PrinterProperties(nullptr, printer.handle()));
    ASSERT_EQ(host.pages.size(), 1u);
    EXPECT_EQ(host.pages[0].pszTemplate, MAKEINTRESOURCEW(4));
    EXPECT_EQ(host.pages[0].pfnCallback, nullptr);
    EXPECT_EQ(host.headerFlags, PSUIHDRF_NOAPPLYNOW | PSUIHDRF_PROPTITLE);
    EXPECT_TRUE(host.broadcasts.empty());
    DWORD type = 0;
    Bytes permission;
    ASSERT_TRUE(printer.Get(TEXT("Permission"), &type, &permission));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(permission, (Bytes{1, 0, 0, 0}));

    PrinterSettings notAContext{};
    DEVICEPROPERTYHEADER header{};
    host.info.lParamInit = reinterpret_cast<LPARAM>(&header);
    host.info.Reason = PROPSHEETUI_REASON_GET_ICON;
    host.info.UserData = reinterpret_cast<ULONG_PTR>(&notAContext);
    EXPECT_EQ(DrvDevicePropertySheets(&host.info, 0), -1);
}

TEST(Sheets, NoHostOrNoEntryPointNoSheet) {
    TestPrinter printer(kKlv20);
    TestSheetHost host;
    DriverDevMode out;
    WString name(printer.name());
    // Without the host's entry point, then without the host.
    g_sheetHost.FindSheetEntry = [](HMODULE, LPCSTR) WINAPI { return FARPROC{}; };
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(DrvDocumentProperties(nullptr, printer.handle(), name.data(), &out.dm, nullptr,
                                        DM_PROMPT | DM_COPY),
                  -1);
        EXPECT_FALSE(PrinterProperties(nullptr, printer.handle()));
        g_sheetHost.LoadSheetHost = [](void) WINAPI { return HMODULE{}; };
    }
    EXPECT_TRUE(host.pages.empty());
}

} // namespace

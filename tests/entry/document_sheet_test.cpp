// The sheets run by our own host: the document sheet confirmed, cancelled, or confirmed without
// an output asked for; the printer sheet; the answers of both sheet functions by reason; no host.
#include "context/ui_context.h"
#include "entry/document_properties.h"
#include "platform/posix/standin_control.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_sheet_host.h"

#include <tuple>

namespace {

using namespace testdm;

// On a printer with a 72 mm work width stored, where the user types 60 mm. A host that never
// delivers the result (Wine's) hears the sheet's own: OK once its release step ran. Each of the
// three pages' release steps tells every window, by the name the request came with, or without
// one, by the printer's own.
TEST(DocumentSheet, ConfirmedOrCancelled) {
    enum Named { Own, Other, None }; // the printer name the request comes with
    // advanced, confirmed, delivered, mode, answer, output width (0: buffer left alone), stored
    const std::tuple<bool, bool, bool, DWORD, LONG, SHORT, SHORT, Named> cases[] = {
        {false, true, true, DM_PROMPT | DM_COPY, IDOK, 600, 600, Own},
        {false, false, true, DM_PROMPT | DM_UPDATE, IDCANCEL, 720, 720, Own},
        {false, true, true, DM_PROMPT, IDOK, 0, 600, Other},
        {true, true, true, 0, 1, 600, 600, Own},
        {true, false, true, 0, 0, 720, 720, Own},
        {false, true, false, DM_PROMPT | DM_COPY, IDOK, 600, 600, None}};
    for (const auto& [advanced, confirm, delivers, fMode, answer, width, storedWidth, named] :
         cases) {
        SCOPED_TRACE(testing::Message() << fMode << confirm << delivers);
        StoredPrinter printer;
        TestSheetHost host(confirm, delivers);
        DriverDevMode out;
        std::memset(&out, 0xCD, sizeof out);
        WCHAR other[] = TEXT("Marker 2");
        LPWSTR name = named == Own ? printer.name() : named == Other ? other : nullptr;
        EXPECT_EQ(advanced
                      ? DrvAdvancedDocumentProperties(nullptr, printer.handle(), name, &out.dm, 0)
                      : DrvDocumentProperties(nullptr, printer.handle(), name, &out.dm, 0, fMode),
                  answer);
        // Three pages, each with the release step that stores (the host runs it).
        EXPECT_EQ(std::tuple(host.pages.size(), host.headerFlags),
                  std::tuple(3u, PSUIHDRF_PROPTITLE));
        const SHORT shown = width ? width : SHORT(0xCDCD); // 0xCDCD: untouched
        EXPECT_EQ(std::tuple(out.dm.dmSize, out.ps.UserDefinedX, out.dm.dmPaperWidth),
                  std::tuple(width ? WORD(sizeof out.dm) : WORD(0xCDCD), shown, shown));
        EXPECT_EQ(StoredSettings(printer.handle(), kKlv20).UserDefinedX, storedWidth);
        // The handle's printer, whatever name the caller passed beside it; each release step
        // asks the host to deliver OK.
        EXPECT_EQ(std::tie(host.broadcasts, host.resultsSet),
                  std::tuple(std::vector<WString>(confirm ? 3 : 0, printer.name()),
                             std::vector<LPARAM>(confirm ? 3 : 0, CPSUI_OK)));
    }
}

// The printer sheet stores the permission probe, tells the sheet whether it may change data and
// answers whether the user confirmed it.
TEST(PrinterSheet, ShowsTheInformationPageAndProbesPermission) {
    for (bool readOnly : {false, true}) {
        TestPrinter printer(kKlv20);
        standin::AddPrinter({printer.name(), kKlv20, {}, readOnly});
        TestSheetHost host;
        host.info.Result = readOnly ? CPSUI_OK : CPSUI_CANCEL; // cancelled: FALSE
        EXPECT_EQ(PrinterProperties(nullptr, printer.handle()), readOnly);
        EXPECT_EQ(host.requestFlags, readOnly ? DPS_NOPERMISSION : 0);
        ASSERT_EQ(std::tuple(host.pages.size(), host.headerFlags),
                  std::tuple(1u, PSUIHDRF_NOAPPLYNOW | PSUIHDRF_PROPTITLE));
        EXPECT_EQ(std::tie(host.pages[0].pszTemplate, host.pages[0].pfnCallback),
                  std::tuple(MAKEINTRESOURCEW(4), nullptr));
        ASSERT_EQ(standin::DataWrites().size(), 1u); // the probe, refused or not
        const standin::DataWrite& probe = standin::DataWrites()[0];
        EXPECT_EQ(std::tie(probe.name, probe.type, probe.bytes),
                  std::tuple(WString(TEXT("Permission")), DWORD{REG_DWORD}, Bytes{1, 0, 0, 0}));
        EXPECT_EQ(standin::DataCount(printer.name()), readOnly ? 0u : 1u) << "the probe stays";
    }
}

// Each reason of each sheet as a host asks it; after the destroy call the context is gone, and a
// context that is not one is refused.
TEST(Sheets, AnswerEachReason) {
    TestPrinter printer(kKlv20);
    const long live = standin::LiveAllocations();
    DOCUMENTPROPERTYHEADER document{sizeof document, 0, printer.handle(), printer.name(), nullptr,
                                    nullptr,         0, DM_PROMPT};
    DEVICEPROPERTYHEADER device{sizeof device, 0, printer.handle(), printer.name()};
    PROPSHEETUI_INFO_HEADER header{};
    SETRESULT_INFO result{sizeof result, 0, nullptr, CPSUI_OK};
    const DWORD I = PROPSHEETUI_REASON_INIT, H = PROPSHEETUI_REASON_GET_INFO_HEADER;
    const DWORD C = PROPSHEETUI_REASON_GET_ICON, R = PROPSHEETUI_REASON_SET_RESULT;
    const DWORD D = PROPSHEETUI_REASON_DESTROY;
    // reason, its parameter, the document sheet's answer, the printer sheet's
    const std::tuple<DWORD, LPARAM, LONG, LONG> cases[] = {
        {I, 0, 1, 1},  {H, LPARAM(&header), 1, 1}, {C, 0, 1, 1},    {H, 0, -1, -1},
        {R, 0, -1, 1}, {R, LPARAM(&result), 1, 1}, {99, 0, -1, -1}, {D, 0, 1, 1}};
    for (bool isDocument : {true, false}) {
        PROPSHEETUI_INFO info{};
        info.pfnComPropSheet = [](HANDLE, UINT, LPARAM, LPARAM) WINAPI -> LONG_PTR { return 1; };
        auto sheet = isDocument ? DrvDocumentPropertySheets : DrvDevicePropertySheets;
        for (const auto& [reason, lParam, documentAnswer, deviceAnswer] : cases) {
            SCOPED_TRACE(testing::Message() << "document " << isDocument << ", reason " << reason);
            info.Reason = reason;
            info.lParamInit = isDocument ? LPARAM(&document) : LPARAM(&device);
            EXPECT_EQ(sheet(&info, lParam), isDocument ? documentAnswer : deviceAnswer);
        }
        EXPECT_EQ(std::tuple(info.Result, info.UserData),
                  std::tuple(isDocument ? ULONG_PTR{CPSUI_OK} : 0u, ULONG_PTR{0}));
        PrinterSettings notAContext{};
        info.UserData = reinterpret_cast<ULONG_PTR>(&notAContext);
        EXPECT_EQ(DrvDevicePropertySheets(&info, 0), -1);
    }
    EXPECT_EQ(DrvDevicePropertySheets(nullptr, 0), -1);
    // Output asked for without a buffer is a bad parameter: no sheet, no context.
    for (DWORD output : {DWORD{DM_COPY}, DWORD{DM_UPDATE}}) {
        DOCUMENTPROPERTYHEADER request = document;
        request.fMode = DM_PROMPT | output;
        PROPSHEETUI_INFO info{};
        info.lParamInit = LPARAM(&request);
        SetLastError(0);
        EXPECT_EQ(DrvDocumentPropertySheets(&info, 0), ERR_CPSUI_GETLASTERROR);
        EXPECT_EQ(std::tuple(GetLastError(), info.UserData),
                  std::tuple(DWORD{ERROR_INVALID_PARAMETER}, ULONG_PTR{0}));
    }
    EXPECT_EQ(standin::LiveAllocations(), live) << "a sheet's context outlived its destroy call";
}

TEST(Sheets, NoEntryPointNoSheet) {
    TestPrinter printer(kKlv20);
    TestSheetHost host;
    DriverDevMode out;
    // A host without its entry point: no sheet, a failed request, and the host is freed (checked
    // as the host goes).
    g_sheetHost.FindSheetEntry = [](HMODULE, LPCSTR) WINAPI { return FARPROC{}; };
    EXPECT_EQ(DrvDocumentProperties(nullptr, printer.handle(), printer.name(), &out.dm, nullptr,
                                    DM_PROMPT | DM_COPY),
              -1);
    EXPECT_FALSE(PrinterProperties(nullptr, printer.handle()));
    EXPECT_TRUE(host.pages.empty());
}

} // namespace

// The UI context of one request: where its settings come from, its marks, how it borrows the
// cached device data record; and the module's start and stop around that cache.
#include "context/module_instance.h"
#include "context/ui_context.h"
#include "entry/driver_ui.h"
#include "platform/posix/standin_control.h"
#include "settings/printer_data.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_printer.h"

namespace {

using namespace testdm;

// Three recognisable records: the caller's, the printer's default DEVMODE's and the stored one.
// That default DEVMODE (three copies) is whole, or cut short of its announced private part, which
// must then be neither read past the spooler's bytes nor taken. The caller's public part asks for
// 100 x 200 mm paper, which the work size overrides.
TEST(UiContext, PrivateSettingsComeFromExactlyOnePlace) {
    enum From { Caller, PrinterDefault, Stored, DriverDefaults };
    enum CallerKind { None, Signed, Unsigned, Short };
    enum PrinterKind { NoDefault, Whole, Cut };
    const struct {
        CallerKind caller;
        PrinterKind printer;
        bool stored;
        From from;
    } cases[] = {{Signed, Whole, true, Caller},         {Unsigned, Whole, true, PrinterDefault},
                 {Short, Whole, true, PrinterDefault},  {Short, NoDefault, true, DriverDefaults},
                 {Unsigned, Cut, true, DriverDefaults}, {None, Whole, true, Stored},
                 {None, Whole, false, DriverDefaults}};
    const PrinterSettings records[] = {Record(700, 300, 3), Record(650, 350), Record(720, 410, 5),
                                       Defaults(kKlv20).ps};
    DriverDevMode printerDm = Defaults(kKlv20);
    printerDm.dm.dmFields |= DM_COPIES;
    printerDm.dm.dmCopies = 3;
    printerDm.ps = records[PrinterDefault];
    DriverDevMode pub = Defaults(TEXT("Someone else's printer"));
    pub.dm.dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
    pub.dm.dmPaperLength = 2000;
    pub.dm.dmPaperWidth = 1000;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "caller " << c.caller << ", printer " << c.printer);
        TestPrinter printer(kKlv20);
        const size_t kept = c.printer == Whole ? sizeof printerDm : sizeof printerDm - 4;
        if (c.printer != NoDefault) {
            standin::AddPrinter({printer.name(), kKlv20, Slice(&printerDm, 0, kept), false});
        }
        if (c.stored) {
            ASSERT_EQ(SavePrinterProperties(printer.handle(), &records[Stored], 1536), 1u);
        }
        PrinterSettings callerRecord = records[Caller];
        callerRecord.dwPrivData = c.caller == Unsigned ? 0 : kPriv;
        DevModeBytes in =
            DevModeBytes::Of(pub.dm, 220, 1536 - 4 * (c.caller == Short), callerRecord);
        UiData* ui = FillUiData(printer.handle(), c.caller == None ? nullptr : in.dm());
        ASSERT_NE(ui, nullptr);
        ExpectSameBytes(&ui->devmode.ps, &records[c.from], sizeof records[c.from]);
        EXPECT_EQ(ui->devmode.dm.dmCopies, c.printer == NoDefault ? 1 : 3);
        EXPECT_EQ(ui->devmode.dm.dmPaperWidth, records[c.from].UserDefinedX);
        EXPECT_EQ(ui->devmode.dm.dmPaperLength, records[c.from].UserDefinedY);
        ReleaseUiData(ui);
    }
}

// Stops and starts the module as the loader does, around the start the test environment made.
TEST(Module, StopFreesTheIdleRecordAndStartKeepsTheModuleLoaded) {
    {
        TestPrinter printer(kKlv20);
        ReleaseUiData(FillUiData(printer.handle(), nullptr));
    }
    const long live = standin::LiveAllocations();
    DllInitialize(nullptr, DLL_PROCESS_DETACH, nullptr);
    EXPECT_EQ(standin::LiveAllocations(), live - 1);
    const WString path = TEXT("C:\\windows\\system32\\spool\\drivers\\x64\\3\\vorikaui.dll");
    standin::SetModulePath(path);
    standin::ForgetLoadedLibraries();
    auto* const module = reinterpret_cast<HINSTANCE>(0x10000);
    DllInitialize(module, DLL_PROCESS_ATTACH, nullptr);
    EXPECT_EQ(ghInstance, module);
    EXPECT_EQ(standin::LoadedLibraries(), std::vector<WString>{path});
    standin::SetModulePath({});
}

std::pair<PpdData*, WORD> PeekCache() {
    std::pair<PpdData*, WORD> v{};
    PeekPpdCache(&v.first, &v.second);
    return v;
}

// A context is valid only with both marks. The first request borrows the cached record; a second
// one at the same time gets its own; an idle cached record stays alive until the next request
// replaces it. (At most one borrower at a time and every record given back: the concurrency test.)
TEST(DeviceDataCache, LendsTheCachedRecordToOneRequestAtATime) {
    TestPrinter printer(kKlv20);
    ASSERT_EQ(PeekCache().second, 0) << "a context of another test is still open";
    UiData* first = FillUiData(printer.handle(), nullptr);
    UiData* second = FillUiData(printer.handle(), nullptr);
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(IsValidUiData(first));
    for (UiData** mark : {&first->pStartMark, &first->pEndMark, &second}) {
        UiData* const kept = *mark;
        *mark = nullptr;
        EXPECT_FALSE(IsValidUiData(first) && IsValidUiData(second));
        *mark = kept;
    }
    EXPECT_EQ(WString(first->pDriverName), kKlv20);
    EXPECT_EQ(PeekCache(), std::make_pair(first->pPpdData, WORD{1}));
    ReleaseUiData(second);
    PpdData* const idle = first->pPpdData;
    ReleaseUiData(first);
    EXPECT_EQ(PeekCache(), std::make_pair(idle, WORD{0}));
    EXPECT_STREQ(idle->szFileName, "klv20.tpd") << "the idle cached record must stay alive";
    // A record given back twice does not stop the lending.
    UiData* third = FillUiData(printer.handle(), nullptr);
    UnloadPpdFile(third->pPpdData);
    ReleaseUiData(third);
    UiData* fourth = FillUiData(printer.handle(), nullptr);
    EXPECT_EQ(PeekCache(), std::make_pair(fourth->pPpdData, WORD{1}));
    ReleaseUiData(fourth);
}

} // namespace

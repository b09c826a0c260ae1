// The UI context of one request: where its settings come from, its marks, how it borrows the
// cached device data record; and the module's start and stop around that cache.
#include <windows.h>

#include "entry/driver_ui.h"
#include "entry/module.h"
#include "entry/ui_context.h"
#include "settings/printer_data.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_printer.h"
#ifndef _WIN32
#include "platform/posix/standin_control.h"
#endif

#include <gtest/gtest.h>

namespace {

using namespace testdm;

#ifndef _WIN32
// Three recognisable KLV-20 records: 70 x 30 mm at 339 dpi, 65 x 35 mm at 254, 72 x 41 at 203.
// The printer's default DEVMODE (three copies) is whole, or cut short of its announced private
// part, which must then be neither read past the stored bytes nor taken.
TEST(UiContext, PrivateSettingsComeFromExactlyOnePlace) {
    enum From { Caller, PrinterDefault, Stored, DriverDefaults };
    enum CallerKind { None, Signed, Unsigned, Short };
    enum PrinterKind { NoDefault, Whole, Cut };
    const struct {
        CallerKind caller;
        PrinterKind printerDefault;
        bool stored;
        From from;
    } cases[] = {
        {Signed, Whole, true, Caller},
        {Signed, NoDefault, false, Caller},
        {Unsigned, Whole, true, PrinterDefault},
        {Short, Whole, true, PrinterDefault},
        {Unsigned, NoDefault, true, DriverDefaults},
        {Short, NoDefault, true, DriverDefaults},
        {Unsigned, Cut, true, DriverDefaults},
        {None, Whole, true, Stored},
        {None, Whole, false, DriverDefaults},
        {None, NoDefault, true, Stored},
    };
    const PrinterSettings records[] = {Record(700, 300, 3), Record(650, 350), Record(720, 410, 5),
                                       Defaults(kKlv20).ps};
    const LONG dpis[] = {339, 254, 203, 254};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "caller " << c.caller << ", printer " << c.printerDefault);
        TestPrinter printer(kKlv20);
        DriverDevMode printerDm = Defaults(kKlv20);
        printerDm.dm.dmFields |= DM_COPIES;
        printerDm.dm.dmCopies = 3;
        printerDm.ps = records[PrinterDefault];
        const size_t kept = c.printerDefault == Whole ? sizeof printerDm : sizeof(DEVMODEW) + 100;
        if (c.printerDefault != NoDefault) {
            standin::AddPrinter({printer.name(), kKlv20, Slice(&printerDm, 0, kept), false});
        }
        if (c.stored) {
            ASSERT_EQ(SavePrinterProperties(printer.handle(), &records[Stored], 1536), 1u);
        }
        PrinterSettings callerRecord = records[Caller];
        callerRecord.dwPrivData = c.caller == Unsigned ? 0 : kPriv;
        // The caller's public part asks for 100 x 200 mm paper, which the work size overrides.
        DriverDevMode pub = Defaults(TEXT("Someone else's printer"));
        pub.dm.dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
        pub.dm.dmPaperLength = 2000;
        pub.dm.dmPaperWidth = 1000;
        DevModeBytes in =
            DevModeBytes::Of(pub.dm, 220, c.caller == Short ? 1532 : 1536, callerRecord);
        UiData* ui = FillUiData(printer.handle(), c.caller == None ? nullptr : in.dm());
        ASSERT_NE(ui, nullptr);
        const PrinterSettings& expected = records[c.from];
        ExpectSameBytes(&ui->devmode.ps, &expected, sizeof expected);
        EXPECT_EQ(ui->devmode.dm.dmCopies, c.printerDefault == NoDefault ? 1 : 3);
        EXPECT_EQ(ui->devmode.dm.dmPaperWidth, expected.UserDefinedX);
        EXPECT_EQ(ui->devmode.dm.dmPaperLength, expected.UserDefinedY);
        EXPECT_EQ(ui->devmode.dm.dmPrintQuality, dpis[c.from]);
        EXPECT_EQ(ui->devmode.dm.dmPelsWidth,
                  static_cast<DWORD>((dpis[c.from] * expected.UserDefinedX * 10 / 254 + 5) / 10));
        ReleaseUiData(ui);
    }
}
#endif

TEST(UiContext, IsValidOnlyWithBothMarks) {
    TestPrinter printer(kKlv20);
    UiData* ui = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(ui, nullptr);
    EXPECT_TRUE(IsValidUiData(ui));
    EXPECT_EQ(ui->hPrinter, printer.handle());
    EXPECT_EQ(WString(ui->pDriverName), kKlv20);
    EXPECT_FALSE(IsValidUiData(nullptr));
    for (UiData** mark : {&ui->pStartMark, &ui->pEndMark}) {
        *mark = nullptr;
        EXPECT_FALSE(IsValidUiData(ui));
        *mark = ui;
    }
    ReleaseUiData(ui);
}

std::pair<PpdData*, WORD> PeekCache() {
    std::pair<PpdData*, WORD> v{};
    PeekPpdCache(&v.first, &v.second);
    return v;
}

// The first request borrows the cached record; a second one at the same time gets its own; an
// idle cached record stays alive until the next request replaces it; a record given back twice
// does not stop the lending.
TEST(DeviceDataCache, LendsTheCachedRecordToOneRequestAtATime) {
    TestPrinter printer(kKlv20);
    ASSERT_EQ(PeekCache().second, 0) << "a context of another test is still open";
    ReleaseUiData(FillUiData(printer.handle(), nullptr));
#ifndef _WIN32
    const long live = standin::LiveAllocations();
#endif
    UiData* first = FillUiData(printer.handle(), nullptr);
    UiData* second = FillUiData(printer.handle(), nullptr);
    ASSERT_TRUE(first && second);
    EXPECT_NE(second->pPpdData, first->pPpdData);
    EXPECT_EQ(PeekCache(), std::make_pair(first->pPpdData, WORD{1}));
    ReleaseUiData(second);
    EXPECT_EQ(PeekCache(), std::make_pair(first->pPpdData, WORD{1}));
    PpdData* const idle = first->pPpdData;
    ReleaseUiData(first);
    EXPECT_EQ(PeekCache(), std::make_pair(idle, WORD{0}));
    EXPECT_STREQ(idle->szFileName, "klv20.tpd") << "the idle cached record must stay alive";
    UiData* third = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(PeekCache(), std::make_pair(third->pPpdData, WORD{1}));
    UnloadPpdFile(third->pPpdData);
    ReleaseUiData(third);
    EXPECT_EQ(PeekCache().second, 0);
    UiData* fourth = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(fourth, nullptr);
    EXPECT_EQ(PeekCache(), std::make_pair(fourth->pPpdData, WORD{1}));
    ReleaseUiData(fourth);
#ifndef _WIN32
    EXPECT_EQ(standin::LiveAllocations(), live) << "a replaced idle record was not freed";
#endif
}

#ifndef _WIN32

// Stops and starts the module the way the loader does, around the start the test environment made.
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
#endif

} // namespace

// The UI context of one request: where its settings come from, what it carries, how it borrows
// the cached device data record, and the sized reads of spooler information.
#include <windows.h>

#include "entry/ui_context.h"
#include "settings/printer_data.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_printer.h"
#ifndef _WIN32
#include "platform/posix/standin_control.h"
#endif

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

namespace {

using namespace testdm;

// Gives the printer a default DEVMODE; false when the spooler does not keep its private part.
bool GivePrinterDefaultDevMode(const TestPrinter& printer, const PrinterSettings& ps) {
    DriverDevMode d = Defaults(kKlv20);
    d.ps = ps;
#ifdef _WIN32
    LPBYTE current = MyGetPrinter(printer.handle(), 2);
    if (current == nullptr) {
        return false;
    }
    reinterpret_cast<PRINTER_INFO_2W*>(current)->pDevMode = &d.dm;
    const BOOL set = SetPrinterW(printer.handle(), 2, current, 0);
    GlobalFree(current);
    if (!set) {
        return false;
    }
#else
    standin::AddPrinter({printer.name(), printer.model(), Slice(&d, 0, sizeof d), false});
#endif
    LPBYTE info = MyGetPrinter(printer.handle(), 2);
    const DEVMODEW* back = info ? reinterpret_cast<PRINTER_INFO_2W*>(info)->pDevMode : nullptr;
    const bool kept = back != nullptr && back->dmSize == 220 && back->dmDriverExtra == 1536 &&
                      std::memcmp(PrivatePart(back), &ps, sizeof ps) == 0;
    GlobalFree(info);
    return kept;
}

// Three recognisable KLV-20 records: 70 x 30 mm at 339 dpi, 65 x 35 mm at 254, 72 x 41 at 203.
enum From { Caller, PrinterDefault, Stored, DriverDefaults };

TEST(UiContext, PrivateSettingsComeFromExactlyOnePlace) {
    enum CallerKind { None, Signed, Unsigned, Short };
    const std::tuple<CallerKind, bool, bool, From> cases[] = {
        {Signed, true, true, Caller},
        {Signed, false, false, Caller},
        {Unsigned, true, true, PrinterDefault},
        {Short, true, true, PrinterDefault},
        {Unsigned, false, true, DriverDefaults},
        {Short, false, true, DriverDefaults},
        {None, true, true, Stored},
        {None, true, false, DriverDefaults},
        {None, false, true, Stored},
    };
    const PrinterSettings records[] = {Record(700, 300, 3), Record(650, 350), Record(720, 410, 5),
                                       Defaults(kKlv20).ps};
    const LONG dpis[] = {339, 254, 203, 254};
    for (const auto& [caller, printerDefault, stored, from] : cases) {
        SCOPED_TRACE(from);
        TestPrinter printer(kKlv20);
        if (printerDefault && !GivePrinterDefaultDevMode(printer, records[PrinterDefault])) {
            GTEST_SKIP() << "this spooler keeps no default DEVMODE set by an application";
        }
        if (stored) {
            ASSERT_EQ(SavePrinterProperties(printer.handle(), &records[Stored], 1536), 1u);
        }
        PrinterSettings callerRecord = records[Caller];
        callerRecord.dwPrivData = caller == Unsigned ? 0 : kPriv;
        // The caller's public part asks for 100 x 200 mm paper, which the work size overrides.
        DriverDevMode pub = Defaults(TEXT("Someone else's printer"));
        pub.dm.dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
        pub.dm.dmPaperLength = 2000;
        pub.dm.dmPaperWidth = 1000;
        DevModeBytes in =
            DevModeBytes::Of(pub.dm, 220, caller == Short ? 1532 : 1536, callerRecord);
        UiData* ui = FillUiData(printer.handle(), caller == None ? nullptr : in.dm());
        ASSERT_NE(ui, nullptr);
        const PrinterSettings& expected = records[from];
        ExpectSameBytes(&ui->devmode.ps, &expected, sizeof expected);
        EXPECT_EQ(ui->devmode.dm.dmPaperWidth, expected.UserDefinedX);
        EXPECT_EQ(ui->devmode.dm.dmPaperLength, expected.UserDefinedY);
        EXPECT_EQ(ui->devmode.dm.dmPrintQuality, dpis[from]);
        EXPECT_EQ(ui->devmode.dm.dmPelsWidth,
                  static_cast<DWORD>((dpis[from] * expected.UserDefinedX * 10 / 254 + 5) / 10));
        ReleaseUiData(ui);
    }
}

TEST(UiContext, FreshContextIsMarkedAndHoldsNoSheetState) {
    TestPrinter printer(kKlv20);
    UiData* ui = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(ui, nullptr);
    EXPECT_TRUE(IsValidUiData(ui));
    EXPECT_EQ(ui->hPrinter, printer.handle());
    EXPECT_STREQ(ui->pPpdData->szFileName, "klv20.tpd");
    EXPECT_EQ(ui->pfnComPropSheet, nullptr);
    EXPECT_EQ(ui->hComPropSheet, nullptr);
    EXPECT_EQ(ui->bApplied, 0u);
    EXPECT_EQ(ui->pDetailsWork, nullptr);
    EXPECT_FALSE(IsValidUiData(nullptr));
    ui->pEndMark = nullptr;
    EXPECT_FALSE(IsValidUiData(ui));
    ui->pEndMark = ui;
    ui->pStartMark = nullptr;
    EXPECT_FALSE(IsValidUiData(ui));
    ui->pStartMark = ui;
    ReleaseUiData(ui);
}

std::pair<PpdData*, WORD> PeekCache() {
    std::pair<PpdData*, WORD> v{};
    PeekPpdCache(&v.first, &v.second);
    return v;
}

// The first request borrows the cached record; a second one at the same time gets its own; an
// idle cached record stays alive until the next request replaces it.
TEST(DeviceDataCache, LendsTheCachedRecordToOneRequestAtATime) {
    TestPrinter printer(kKlv20);
    ASSERT_EQ(PeekCache().second, 0) << "a context of another test is still open";
    ReleaseUiData(FillUiData(printer.handle(), nullptr));
#ifndef _WIN32
    const long live = standin::LiveAllocations();
#endif
    UiData* first = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(first, nullptr);
    UiData* second = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(second, nullptr);
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
    ReleaseUiData(third);
#ifndef _WIN32
    EXPECT_EQ(standin::LiveAllocations(), live) << "a replaced idle record was not freed";
#endif
}

} // namespace

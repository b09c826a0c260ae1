// The UI context of one request: where its settings come from, what it carries, how it borrows
// the cached device data record, and the sized reads of spooler information.
#include <windows.h>

#include "entry/ui_context.h"
#include "settings/printer_data.h"
#include "tests/support/test_printer.h"
#ifndef _WIN32
#include "platform/posix/standin_control.h"
#endif

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const LPCWSTR kKlv20 = TEXT("Velmar VORIKA KLV-20");
const LPCWSTR kKlv10 = TEXT("Velmar VORIKA KLV-10");

std::string Ascii(LPCWSTR text) {
    std::string out;
    for (; text != nullptr && *text != 0; ++text) {
        out += *text < 0x80 ? static_cast<char>(*text) : '?';
    }
    return out;
}

DriverDevMode Defaults(LPCWSTR model) {
    DriverDevMode d;
    SetDefaultDevMode(&d, model);
    return d;
}

// Work size in dots for a length in tenths of a millimetre.
DWORD Dots(LONG dpi, LONG tenths) {
    return static_cast<DWORD>((dpi * tenths * 10 / 254 + 5) / 10);
}

// Three recognisable records besides the driver defaults, all for the KLV-20.
PrinterSettings CallerRecord() {
    PrinterSettings ps = Defaults(kKlv20).ps;
    ps.UserDefinedX = 700;
    ps.UserDefinedY = 300;
    ps.Contrast = 9;
    ps.FrameDpiIdx = 3;
    return ps;
}

PrinterSettings PrinterDefaultRecord() {
    PrinterSettings ps = Defaults(kKlv20).ps;
    ps.UserDefinedX = 650;
    ps.UserDefinedY = 350;
    ps.Brightness = 4;
    return ps;
}

PrinterSettings StoredRecord() {
    PrinterSettings ps = Defaults(kKlv20).ps;
    ps.UserDefinedX = 720;
    ps.UserDefinedY = 410;
    ps.Brightness = -3;
    ps.Material = 2;
    ps.FrameDpiIdx = 5;
    return ps;
}

// A caller's DEVMODE of size + extra bytes: a public part asking for a 100 x 200 mm paper, then
// the first `extra` bytes of `ps`.
std::vector<BYTE> CallerDevMode(WORD size, WORD extra, const PrinterSettings& ps) {
    DriverDevMode d = Defaults(TEXT("Someone else's printer"));
    d.dm.dmSize = size;
    d.dm.dmDriverExtra = extra;
    d.dm.dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
    d.dm.dmPaperLength = 2000;
    d.dm.dmPaperWidth = 1000;
    std::vector<BYTE> bytes(size_t{size} + extra);
    std::memcpy(bytes.data(), &d.dm, size);
    std::memcpy(bytes.data() + size, &ps, extra);
    return bytes;
}

std::vector<BYTE> WholeDevMode(const PrinterSettings& ps) {
    DriverDevMode d = Defaults(kKlv20);
    d.ps = ps;
    std::vector<BYTE> bytes(sizeof d);
    std::memcpy(bytes.data(), &d, sizeof d);
    return bytes;
}

// Gives the printer a default DEVMODE (before anything is stored: the host tree's spooler
// registers the printer anew). False when the spooler does not hand it back.
bool GivePrinterDefaultDevMode(const TestPrinter& printer, std::vector<BYTE> devMode) {
#ifdef _WIN32
    LPBYTE current = MyGetPrinter(printer.handle(), 2);
    if (current == nullptr) {
        return false;
    }
    reinterpret_cast<PRINTER_INFO_2W*>(current)->pDevMode =
        reinterpret_cast<DEVMODEW*>(devMode.data());
    const BOOL set = SetPrinterW(printer.handle(), 2, current, 0);
    GlobalFree(current);
    if (!set) {
        return false;
    }
#else
    standin::AddPrinter({printer.name(), printer.model(), devMode, false});
#endif
    LPBYTE info = MyGetPrinter(printer.handle(), 2);
    if (info == nullptr) {
        return false;
    }
    // The spooler may rewrite the public part (its device name, say); the private part counts.
    const DEVMODEW* back = reinterpret_cast<PRINTER_INFO_2W*>(info)->pDevMode;
    const bool kept =
        back != nullptr && back->dmSize == 220 && back->dmDriverExtra == 1536 &&
        std::memcmp(reinterpret_cast<const BYTE*>(back) + 220, devMode.data() + 220, 1536) == 0;
    GlobalFree(info);
    return kept;
}

void ExpectSameRecord(const PrinterSettings& actual, const PrinterSettings& expected) {
    const auto* a = reinterpret_cast<const BYTE*>(&actual);
    const auto* e = reinterpret_cast<const BYTE*>(&expected);
    int reported = 0;
    for (size_t i = 0; i < sizeof actual && reported < 8; ++i) {
        if (a[i] != e[i]) {
            ADD_FAILURE() << "record byte " << i << ": " << int(a[i]) << ", expected " << int(e[i]);
            ++reported;
        }
    }
}

enum class Caller { None, Valid, NoSignature, WrongSize };
enum class From { Caller, PrinterDefault, DriverDefaults, Stored };

struct SourceCase {
    const char* name;
    Caller caller;
    bool printerDefault;
    bool stored;
    From expected;
};

const SourceCase kSources[] = {
    {"ValidCallerWinsOverAll", Caller::Valid, true, true, From::Caller},
    {"ValidCallerAlone", Caller::Valid, false, false, From::Caller},
    {"UnsignedCallerTakesPrinterDefault", Caller::NoSignature, true, true, From::PrinterDefault},
    {"ShortCallerTakesPrinterDefault", Caller::WrongSize, true, true, From::PrinterDefault},
    {"UnsignedCallerNeverReadsStored", Caller::NoSignature, false, true, From::DriverDefaults},
    {"ShortCallerNeverReadsStored", Caller::WrongSize, false, true, From::DriverDefaults},
    {"NoCallerTakesStoredOverPrinterDefault", Caller::None, true, true, From::Stored},
    {"NoCallerNothingStoredIgnoresPrinterDefault", Caller::None, true, false, From::DriverDefaults},
    {"NoCallerTakesStored", Caller::None, false, true, From::Stored},
};

class PrivateSettingsSource : public testing::TestWithParam<SourceCase> {};

TEST_P(PrivateSettingsSource, ComeFromExactlyOnePlace) {
    const SourceCase& c = GetParam();
    TestPrinter printer(kKlv20);
    if (c.printerDefault &&
        !GivePrinterDefaultDevMode(printer, WholeDevMode(PrinterDefaultRecord()))) {
        GTEST_SKIP() << "this spooler keeps no default DEVMODE set by an application";
    }
    const PrinterSettings stored = StoredRecord();
    if (c.stored) {
        ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
    }
    PrinterSettings unsigned_ = CallerRecord();
    unsigned_.dwPrivData = 0;
    std::vector<BYTE> caller;
    switch (c.caller) {
    case Caller::None:
        break;
    case Caller::Valid:
        caller = CallerDevMode(220, 1536, CallerRecord());
        break;
    case Caller::NoSignature:
        caller = CallerDevMode(220, 1536, unsigned_);
        break;
    case Caller::WrongSize: // the signature is still inside the shorter part
        caller = CallerDevMode(220, 1532, CallerRecord());
        break;
    }
    PrinterSettings expected = Defaults(kKlv20).ps;
    LONG dpi = 254;
    switch (c.expected) {
    case From::Caller:
        expected = CallerRecord();
        dpi = 339;
        break;
    case From::PrinterDefault:
        expected = PrinterDefaultRecord();
        break;
    case From::Stored:
        expected = stored;
        dpi = 203;
        break;
    case From::DriverDefaults:
        break;
    }

    UiData* ui = FillUiData(printer.handle(),
                            caller.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(caller.data()));
    ASSERT_NE(ui, nullptr);
    ExpectSameRecord(ui->devmode.ps, expected);
    // The paper follows the work size, never what the caller's public part asked for.
    EXPECT_EQ(ui->devmode.dm.dmPaperWidth, expected.UserDefinedX);
    EXPECT_EQ(ui->devmode.dm.dmPaperLength, expected.UserDefinedY);
    EXPECT_EQ(ui->devmode.dm.dmPrintQuality, dpi);
    EXPECT_EQ(ui->devmode.dm.dmYResolution, dpi);
    EXPECT_EQ(ui->devmode.dm.dmPelsWidth, Dots(dpi, expected.UserDefinedX));
    EXPECT_EQ(ui->devmode.dm.dmPelsHeight, Dots(dpi, expected.UserDefinedY));
    EXPECT_EQ(ui->devmode.dm.dmSize, 220);
    EXPECT_EQ(ui->devmode.dm.dmDriverExtra, 1536);
    ReleaseUiData(ui);
}

INSTANTIATE_TEST_SUITE_P(UiContext, PrivateSettingsSource, testing::ValuesIn(kSources),
                         [](const testing::TestParamInfo<SourceCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(UiContext, DriverNameNamesTheDeviceAndDecidesTheResolution) {
    struct Case {
        LPCWSTR model;
        SHORT baseDpi;
        short dpi;
        DWORD pels;
    };
    const Case cases[] = {{kKlv20, 1016, 254, 500}, {kKlv10, 1058, 265, 522}};
    for (const Case& c : cases) {
        TestPrinter printer(c.model);
        std::vector<BYTE> foreign = CallerDevMode(220, 0, Defaults(kKlv20).ps);
        for (DEVMODEW* input :
             {static_cast<DEVMODEW*>(nullptr), reinterpret_cast<DEVMODEW*>(foreign.data())}) {
            SCOPED_TRACE(testing::Message() << Ascii(c.model) << (input ? " with" : " without")
                                            << " a caller DEVMODE");
            UiData* ui = FillUiData(printer.handle(), input);
            ASSERT_NE(ui, nullptr);
            EXPECT_EQ(Ascii(ui->pDriverName), Ascii(c.model));
            EXPECT_NE(Ascii(ui->pDriverName), Ascii(printer.name()));
            EXPECT_EQ(Ascii(ui->devmode.dm.dmDeviceName), Ascii(c.model));
            EXPECT_EQ(ui->devmode.ps.BaseDpi, c.baseDpi);
            EXPECT_EQ(ui->devmode.dm.dmPrintQuality, c.dpi);
            EXPECT_EQ(ui->devmode.dm.dmPelsWidth, c.pels);
            EXPECT_EQ(ui->devmode.dm.dmPelsHeight, c.pels);
            ReleaseUiData(ui);
        }
    }
}

TEST(UiContext, FreshContextIsMarkedAndHoldsNoSheetState) {
    TestPrinter printer(kKlv20);
    UiData* ui = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(ui, nullptr);
    EXPECT_TRUE(IsValidUiData(ui));
    EXPECT_EQ(ui->pStartMark, ui);
    EXPECT_EQ(ui->pEndMark, ui);
    EXPECT_EQ(ui->hPrinter, printer.handle());
    EXPECT_NE(ui->hHeap, nullptr);
    EXPECT_NE(ui->pPpdData, nullptr);
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

struct CacheView {
    PpdData* cached;
    WORD count;
};

CacheView PeekCache() {
    CacheView v{};
    PeekPpdCache(&v.cached, &v.count);
    return v;
}

TEST(DeviceDataCache, LendsTheCachedRecordToOneRequestAtATime) {
    TestPrinter printer(kKlv20);
    ASSERT_EQ(PeekCache().count, 0) << "a context of another test is still open";
    ReleaseUiData(FillUiData(printer.handle(), nullptr)); // an idle record, as after any request
#ifndef _WIN32
    const long liveAtStart = standin::LiveAllocations();
#endif

    UiData* first = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(PeekCache().cached, first->pPpdData);
    EXPECT_EQ(PeekCache().count, 1);

    UiData* second = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second->pPpdData, first->pPpdData);
    EXPECT_EQ(PeekCache().cached, first->pPpdData);
    EXPECT_EQ(PeekCache().count, 1);

    ReleaseUiData(second);
    EXPECT_EQ(PeekCache().cached, first->pPpdData);
    EXPECT_EQ(PeekCache().count, 1);
    EXPECT_STREQ(first->pPpdData->szFileName, "klv20.tpd");

    PpdData* const idle = first->pPpdData;
    ReleaseUiData(first);
    EXPECT_EQ(PeekCache().cached, idle);
    EXPECT_EQ(PeekCache().count, 0);
    EXPECT_STREQ(idle->szFileName, "klv20.tpd") << "the idle cached record must stay alive";
#ifndef _WIN32
    // Of the two requests only the idle record remains, in place of the one before.
    const long liveIdle = standin::LiveAllocations();
    EXPECT_EQ(liveIdle, liveAtStart);
#endif

    UiData* third = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(third, nullptr);
    EXPECT_NE(third->pPpdData, idle);
    EXPECT_EQ(PeekCache().cached, third->pPpdData);
    EXPECT_EQ(PeekCache().count, 1);
    PpdData* const replacement = third->pPpdData;
    ReleaseUiData(third);
    EXPECT_EQ(PeekCache().cached, replacement);
    EXPECT_EQ(PeekCache().count, 0);
#ifndef _WIN32
    EXPECT_EQ(standin::LiveAllocations(), liveIdle) << "the replaced idle record was not freed";
#endif
}

TEST(DeviceDataCache, UnreadableDriverInformationBuildsNoContext) {
    TestPrinter printer(kKlv20);
    UiData* warm = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(warm, nullptr);
    ReleaseUiData(warm);
    const CacheView before = PeekCache();

    EXPECT_EQ(FillUiData(nullptr, nullptr), nullptr);
    EXPECT_EQ(LoadPpdFile(nullptr), nullptr);
    EXPECT_EQ(PeekCache().cached, before.cached);
    EXPECT_EQ(PeekCache().count, before.count);
}

TEST(SizedRead, PrinterAndDriverInformation) {
    TestPrinter printer(kKlv20);
    LPBYTE info = MyGetPrinter(printer.handle(), 2);
    ASSERT_NE(info, nullptr);
    const auto* pi = reinterpret_cast<const PRINTER_INFO_2W*>(info);
    EXPECT_EQ(Ascii(pi->pPrinterName), Ascii(printer.name()));
    EXPECT_EQ(Ascii(pi->pDriverName), Ascii(kKlv20));
    GlobalFree(info);

    LPBYTE driver = MyGetPrinterDriver(printer.handle(), 2);
    ASSERT_NE(driver, nullptr);
    const auto* di = reinterpret_cast<const DRIVER_INFO_2W*>(driver);
    EXPECT_EQ(Ascii(di->pName), Ascii(kKlv20));
    const std::string dataFile = Ascii(di->pDataFile);
    ASSERT_GE(dataFile.size(), 9u);
    EXPECT_EQ(dataFile.substr(dataFile.size() - 9), "klv20.tpd");
    GlobalFree(driver);
}

TEST(SizedRead, FailureKeepsTheSpoolersError) {
    DWORD needed = 0;
    ASSERT_FALSE(GetPrinterW(nullptr, 2, nullptr, 0, &needed));
    const DWORD printerError = GetLastError();
    ASSERT_FALSE(GetPrinterDriverW(nullptr, nullptr, 2, nullptr, 0, &needed));
    const DWORD driverError = GetLastError();
    ASSERT_NE(printerError, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    SetLastError(0);
    EXPECT_EQ(MyGetPrinter(nullptr, 2), nullptr);
    EXPECT_EQ(GetLastError(), printerError);
    SetLastError(0);
    EXPECT_EQ(MyGetPrinterDriver(nullptr, 2), nullptr);
    EXPECT_EQ(GetLastError(), driverError);
}

} // namespace

// Requests as applications and Wine's spooler make them: without a printer handle, on a printer
// whose default DEVMODE is damaged, with one buffer as input and output; and the module's start
// and stop around the cache.
#include "entry/driver_ui.h"
#include "entry/module.h"
#include "entry/ui_context.h"
#include "settings/printer_data.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "platform/posix/standin_control.h"
#endif

#include <cstring>
#include <vector>

namespace {

constexpr LPCWSTR kModel = TEXT("Velmar VORIKA KLV-20");

PrinterSettings SettingsOf(const std::vector<BYTE>& driverDevMode) {
    PrinterSettings ps;
    std::memcpy(&ps, driverDevMode.data() + sizeof(DEVMODEW), sizeof ps);
    return ps;
}

void StoreWorkSize(const TestPrinter& printer, SHORT x, SHORT y) {
    PrinterSettings ps;
    SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
    ps.UserDefinedX = x;
    ps.UserDefinedY = y;
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &ps, sizeof ps), 1u);
}

LONG AskWithoutHandle(LPCWSTR printerName, std::vector<BYTE>* out) {
    out->assign(kDriverDevModeSize, 0xCD);
    return DrvDocumentProperties(nullptr, nullptr, const_cast<LPWSTR>(printerName),
                                 reinterpret_cast<DEVMODEW*>(out->data()), nullptr, DM_COPY);
}

TEST(RequestWithoutHandle, WorksOnTheNamedPrinterAndClosesIt) {
    TestPrinter printer(kModel);
    StoreWorkSize(printer, 432, 210);

    std::vector<BYTE> out;
    EXPECT_EQ(AskWithoutHandle(printer.name(), &out), IDOK);
    EXPECT_EQ(SettingsOf(out).UserDefinedX, 432);
    EXPECT_EQ(reinterpret_cast<const DEVMODEW*>(out.data())->dmPaperLength, 210);

    POINT size{};
    EXPECT_EQ(DrvDeviceCapabilities(nullptr, const_cast<LPWSTR>(printer.name()), DC_PAPERSIZE,
                                    &size, nullptr),
              1u);
    EXPECT_EQ(size.x, 432);
    EXPECT_EQ(size.y, 210);
#ifndef _WIN32
    EXPECT_EQ(standin::CallCount(standin::Op::OpenPrinter),
              standin::CallCount(standin::Op::ClosePrinter));
#endif
}

TEST(RequestWithoutHandle, NamingNoPrinterFailsAndWritesNothing) {
    TestPrinter printer(kModel);
    std::vector<BYTE> out;
    EXPECT_EQ(AskWithoutHandle(TEXT("No such printer"), &out), -1);
    EXPECT_EQ(out, std::vector<BYTE>(kDriverDevModeSize, 0xCD));
    EXPECT_EQ(AskWithoutHandle(nullptr, &out), -1);
}

#ifndef _WIN32
// The printer's default DEVMODE announces this driver's private part, but the spooler holds only
// part of it: nothing past the stored bytes may be read, and the cut private part is not taken.
TEST(DamagedPrinterDevMode, IsReadOnlyWithinWhatTheSpoolerHolds) {
    DriverDevMode full;
    SetDefaultDevMode(&full, kModel);
    full.dm.dmFields |= DM_COPIES;
    full.dm.dmCopies = 3;
    full.ps.UserDefinedX = 777;
    std::vector<BYTE> cut(reinterpret_cast<const BYTE*>(&full),
                          reinterpret_cast<const BYTE*>(&full) + sizeof(DEVMODEW) + 100);

    standin::Reset();
    standin::AddDriver({kModel, TEXT("klv20.tpd"), TEXT("vorikaui.dll")});
    standin::AddPrinter({TEXT("Damaged"), kModel, cut, false});
    HANDLE handle = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(TEXT("Damaged")), &handle, nullptr));

    DEVMODEW callerPublic{};
    callerPublic.dmSize = sizeof callerPublic;
    UiData* ui = FillUiData(handle, &callerPublic);
    ASSERT_NE(ui, nullptr);
    EXPECT_EQ(ui->devmode.dm.dmCopies, 3);
    EXPECT_EQ(ui->devmode.ps.UserDefinedX, 500);
    ReleaseUiData(ui);
    ClosePrinter(handle);
    standin::Reset();
}

#endif

TEST(DocumentProperties, OneBufferAsInputAndOutput) {
    TestPrinter printer(kModel);
    DriverDevMode dm;
    SetDefaultDevMode(&dm, kModel);
    dm.dm.dmFields |= DM_COPIES;
    dm.dm.dmCopies = 2;
    dm.ps.UserDefinedX = 321;

    EXPECT_EQ(DrvDocumentProperties(nullptr, printer.handle(), const_cast<LPWSTR>(printer.name()),
                                    &dm.dm, &dm.dm, DM_IN_BUFFER | DM_OUT_BUFFER),
              IDOK);
    EXPECT_EQ(dm.dm.dmSize, sizeof(DEVMODEW));
    EXPECT_EQ(dm.dm.dmDriverExtra, sizeof(PrinterSettings));
    EXPECT_EQ(dm.dm.dmCopies, 2);
    EXPECT_EQ(dm.ps.UserDefinedX, 321);
    EXPECT_EQ(dm.dm.dmPaperWidth, 321);
}

TEST(DeviceDataCache, ARecordGivenBackTwiceDoesNotStopCaching) {
    TestPrinter printer(kModel);
    PpdData* first = LoadPpdFile(printer.handle());
    UnloadPpdFile(first);
    UnloadPpdFile(first);
    PpdData* cached = nullptr;
    WORD count = 9;
    PeekPpdCache(&cached, &count);
    EXPECT_EQ(count, 0);

    PpdData* next = LoadPpdFile(printer.handle());
    PeekPpdCache(&cached, &count);
    EXPECT_EQ(cached, next);
    EXPECT_EQ(count, 1);
    UnloadPpdFile(next);
}

#ifndef _WIN32
// Stops and starts the module the way the loader does, around the process-wide start that the
// test environment made.
TEST(Module, StopFreesTheIdleRecordAndStartKeepsTheModuleLoaded) {
    {
        TestPrinter printer(kModel);
        ReleaseUiData(FillUiData(printer.handle(), nullptr));
    }
    const long live = standin::LiveAllocations();
    DllInitialize(nullptr, DLL_PROCESS_DETACH, nullptr);
    EXPECT_EQ(standin::LiveAllocations(), live - 1);

    const standin::WString path =
        TEXT("C:\\windows\\system32\\spool\\drivers\\x64\\3\\vorikaui.dll");
    standin::SetModulePath(path);
    standin::ForgetLoadedLibraries();
    auto* const module = reinterpret_cast<HINSTANCE>(0x10000);
    DllInitialize(module, DLL_PROCESS_ATTACH, nullptr);
    EXPECT_EQ(ghInstance, module);
    EXPECT_EQ(standin::LoadedLibraries(), std::vector<standin::WString>{path});
    standin::SetModulePath({});
}
#endif

} // namespace

// Many requests at once on one printer: the device data cache lends its record to at most one
// of them, every request sees its own settings, and every record and context is given back. Host
// tree only (run under the thread sanitizer there).
#ifndef _WIN32

#include <windows.h>

#include "entry/driver_ui.h"
#include "entry/ui_context.h"
#include "platform/posix/standin_control.h"
#include "settings/printer_data.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using namespace testdm;

TEST(DeviceDataCache, ConcurrentRequestsShareOneRecordSafely) {
    TestPrinter printer(kKlv20);
    const PrinterSettings stored = Record(720, 410);
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);
    DriverDevMode caller = Defaults(kKlv20);
    caller.ps = Record(640, 410);
    WString name(printer.name());
    WString device(kKlv20);
    ReleaseUiData(FillUiData(printer.handle(), nullptr)); // an idle record, as after any request
    const long live = standin::LiveAllocations();

    std::atomic<long> wrong{0};
    std::atomic<long> lent{0};
    auto requests = [&] {
        Bytes defaults(1756);
        for (int i = 0; i < 10000; ++i) {
            UiData* ui = FillUiData(printer.handle(), i % 2 ? &caller.dm : nullptr);
            if (ui == nullptr || ui->devmode.ps.UserDefinedX != (i % 2 ? 640 : 720)) {
                ++wrong;
                continue;
            }
            PpdData* cached;
            WORD count;
            PeekPpdCache(&cached, &count);
            // While this request holds the cached record, nobody else can have it.
            lent += cached == ui->pPpdData;
            wrong += count > 1 || (cached == ui->pPpdData && count != 1);
            ReleaseUiData(ui);
            LONG paper[2] = {};
            LONG size = 1756;
            wrong += i % 16 == 0 && (DrvDeviceCapabilities(printer.handle(), device.data(),
                                                           DC_PAPERSIZE, paper, nullptr) != 1 ||
                                     paper[0] != 720);
            wrong += i % 16 == 8 && !DrvConvertDevMode(name.data(), nullptr,
                                                       reinterpret_cast<DEVMODEW*>(defaults.data()),
                                                       &size, CDM_DRIVER_DEFAULT);
        }
    };
    std::vector<std::jthread> threads(8);
    for (std::jthread& t : threads) {
        t = std::jthread(requests);
    }
    threads.clear();
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(lent, 0) << "no request ever held the cached record";
    PpdData* cached;
    WORD count;
    PeekPpdCache(&cached, &count);
    EXPECT_EQ(count, 0);
    EXPECT_NE(cached, nullptr);
    EXPECT_EQ(standin::LiveAllocations(), live) << "records or contexts leaked";
}

} // namespace

#endif

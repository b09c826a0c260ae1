// Many requests at once on one printer: the device data cache lends its record to at most one
// of them, and every record and context is given back. Host tree only (run under the thread
// sanitizer there).
#ifndef _WIN32

#include <windows.h>

#include "entry/driver_ui.h"
#include "entry/ui_context.h"
#include "platform/posix/standin_control.h"
#include "settings/printer_data.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

const LPCWSTR kKlv20 = TEXT("Velmar VORIKA KLV-20");
constexpr int kThreads = 8;
constexpr int kCycles = 10000;

struct Tally {
    std::atomic<long> failedRequests{0};
    std::atomic<long> countOutOfRange{0};
    std::atomic<long> lenderNotCounted{0};
    std::atomic<long> wrongSettings{0};
    std::atomic<long> wrongAnswers{0};
    std::atomic<long> lentObserved{0};
};

void RunRequests(HANDLE printer, LPWSTR printerName, const DriverDevMode* caller, Tally* t) {
    WString device(kKlv20);
    std::vector<BYTE> defaults(1756);
    for (int i = 0; i < kCycles; ++i) {
        const bool withDevMode = i % 2 == 1;
        UiData* ui = FillUiData(printer, withDevMode ? &caller->dm : nullptr);
        if (ui == nullptr) {
            ++t->failedRequests;
            continue;
        }
        PpdData* cached;
        WORD count;
        PeekPpdCache(&cached, &count);
        if (count > 1) {
            ++t->countOutOfRange;
        }
        // While this request holds the cached record, nobody else can have it.
        if (cached == ui->pPpdData) {
            ++t->lentObserved;
            if (count != 1) {
                ++t->lenderNotCounted;
            }
        }
        if (ui->devmode.ps.UserDefinedX != (withDevMode ? 640 : 720)) {
            ++t->wrongSettings;
        }
        ReleaseUiData(ui);
        PeekPpdCache(&cached, &count);
        if (count > 1) {
            ++t->countOutOfRange;
        }

        if (i % 16 == 0) {
            LONG paper[2] = {};
            if (DrvDeviceCapabilities(printer, device.data(), DC_PAPERSIZE, paper, nullptr) != 1 ||
                paper[0] != 720 || paper[1] != 410) {
                ++t->wrongAnswers;
            }
        } else if (i % 16 == 8) {
            LONG size = 1756;
            if (!DrvConvertDevMode(printerName, nullptr,
                                   reinterpret_cast<DEVMODEW*>(defaults.data()), &size,
                                   CDM_DRIVER_DEFAULT) ||
                size != 1756) {
                ++t->wrongAnswers;
            }
        }
    }
}

TEST(DeviceDataCache, ConcurrentRequestsShareOneRecordSafely) {
    TestPrinter printer(kKlv20);
    DriverDevMode stored;
    SetDefaultDevMode(&stored, kKlv20);
    stored.ps.UserDefinedX = 720;
    stored.ps.UserDefinedY = 410;
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored.ps, sizeof stored.ps), 1u);
    DriverDevMode caller = stored;
    caller.ps.UserDefinedX = 640;
    WString name(printer.name());

    // Start with an idle record in the cache, as after any earlier request.
    UiData* warm = FillUiData(printer.handle(), nullptr);
    ASSERT_NE(warm, nullptr);
    ReleaseUiData(warm);
    const long liveAtStart = standin::LiveAllocations();

    Tally tally;
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back(RunRequests, printer.handle(), name.data(), &caller, &tally);
    }
    for (std::thread& t : threads) {
        t.join();
    }

    EXPECT_EQ(tally.failedRequests, 0);
    EXPECT_EQ(tally.countOutOfRange, 0);
    EXPECT_EQ(tally.lenderNotCounted, 0);
    EXPECT_EQ(tally.wrongSettings, 0);
    EXPECT_EQ(tally.wrongAnswers, 0);
    EXPECT_GT(tally.lentObserved, 0) << "no request ever held the cached record";

    PpdData* cached;
    WORD count;
    PeekPpdCache(&cached, &count);
    EXPECT_EQ(count, 0);
    EXPECT_NE(cached, nullptr);
    // Exactly the one idle record remains, as at the start.
    EXPECT_EQ(standin::LiveAllocations(), liveAtStart) << "records or contexts leaked";
}

} // namespace

#endif // _WIN32

// Many requests at once on one printer: the device data cache lends its record to at most one
// of them, every request sees its own settings, and every record and context is given back. Host
// tree only (run under the thread sanitizer there).

#include "context/ui_context.h"
#include "platform/posix/standin_control.h"
#include "tests/support/devmode_bytes.h"

#include <atomic>
#include <thread>

namespace {

using namespace testdm;

TEST(DeviceDataCache, ConcurrentRequestsShareOneRecordSafely) {
    TestPrinter printer(kKlv20); // nothing stored: a request without a DEVMODE gets the defaults
    DriverDevMode caller = Defaults(kKlv20);
    caller.ps = Record(640, 410);
    ReleaseUiData(FillUiData(printer.handle(), nullptr)); // an idle record, as after any request
    const long live = standin::LiveAllocations();

    std::atomic<long> wrong{0}, lent{0};
    auto requests = [&] {
        for (int i = 0; i < 10000; ++i) {
            UiData* ui = FillUiData(printer.handle(), i % 2 ? &caller.dm : nullptr);
            if (ui == nullptr || ui->devmode.ps.UserDefinedX != (i % 2 ? 640 : 500)) {
                ++wrong;
                continue;
            }
            const auto [cached, count] = PeekCache();
            // While this request holds the cached record, nobody else can have it.
            lent += cached == ui->pPpdData;
            wrong += count > 1 || (cached == ui->pPpdData && count != 1);
            ReleaseUiData(ui);
        }
    };
    std::vector<std::jthread> threads(8);
    for (std::jthread& t : threads) {
        t = std::jthread(requests);
    }
    threads.clear();
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(lent, 0) << "no request ever held the cached record";
    EXPECT_EQ(PeekCache().second, 0);
    EXPECT_NE(PeekCache().first, nullptr);
    EXPECT_EQ(standin::LiveAllocations(), live) << "records or contexts leaked";
}

// A record given back twice does not stop the lending: the next request borrows the cached one.
TEST(DeviceDataCache, RecordGivenBackTwice) {
    TestPrinter printer(kKlv20);
    UiData* first = FillUiData(printer.handle(), nullptr);
    UnloadPpdFile(first->pPpdData);
    ReleaseUiData(first);
    UiData* next = FillUiData(printer.handle(), nullptr);
    EXPECT_EQ(PeekCache(), std::make_pair(next->pPpdData, WORD{1}));
    ReleaseUiData(next);
}

} // namespace

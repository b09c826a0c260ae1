// The Slope correction page's rules and the test print on any record, pattern, scroll code and
// click. The input is the DriverDevMode's bytes (its device name need not end), then the pattern,
// scroll code and click point.
#include "fuzz/fuzz_input.h"
#include "pages/slope/slope_model.h"
#include "pages/slope/test_print.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    DriverDevMode dm;
    input.Take(&dm, sizeof dm);
    const LONG pattern = input.TakeValue<LONG>();
    const int code = input.TakeValue<int>();
    const int x = input.TakeValue<int>();
    const int y = input.TakeValue<int>();
    // Any readings: the ratio displays neither divide by zero nor overflow.
    GetSlopeControls(dm.ps);
    LONG stepped = kSlopeMin;
    SpinReading(dm.ps.Left, code, &stepped);
    const TestPrintJob job = BuildTestPrintJob(dm.ps.BaseDpi, pattern);
    // No printer exists here: the device name, ended or not, is only read.
    if (stepped < kSlopeMin || stepped > kSlopeMax || RevealsServiceControls(x, y, false) ||
        job.length <= 0 || job.length > kTestPrintJobMax || job.text[job.length - 1] != '\n' ||
        SendTestPrint(&dm, pattern).outcome != TestPrintOutcome::NoPrinter) {
        std::abort();
    }
    return 0;
}

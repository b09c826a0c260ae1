// The Slope correction page's rules and the test print on any record, pattern, scroll code and
// click. The input is the DriverDevMode's bytes (its device name need not end), then the pattern,
// scroll code and click point.
#include "fuzz/fuzz_input.h"
#include "pages/slope/slope_model.h"
#include "pages/slope/test_print.h"

namespace {

bool Held(LONG v) {
    return v >= kSlopeMin && v <= kSlopeMax;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    DriverDevMode dm;
    input.Take(&dm, sizeof dm);
    const LONG pattern = input.TakeValue<LONG>();
    const int code = input.TakeValue<int>();
    const int x = input.TakeValue<int>();
    const int y = input.TakeValue<int>();
    // Any readings: the ratio displays neither divide by zero nor overflow; for readings held to
    // 1 .. 25 they stay strictly between -400 and 400.
    const SlopeControls controls = GetSlopeControls(dm.ps);
    const bool ratioHeld = !Held(dm.ps.Rear) || !Held(dm.ps.Front) ||
                           (controls.frontRearRatio > -400 && controls.frontRearRatio < 400);
    LONG stepped = kSlopeMin;
    SpinReading(dm.ps.Left, code, &stepped);
    const TestPrintJob job = BuildTestPrintJob(dm.ps.BaseDpi, pattern);
    const bool jobFits = job.length > 0 && job.length <= kTestPrintJobMax &&
                         job.text[job.length - 1] == '\n' &&
                         (job.text[0] == '@') == (dm.ps.BaseDpi == kBaseDpiKlv20);
    // No printer exists here: the device name, ended or not, is only read.
    const bool noPrinter = SendTestPrint(&dm, pattern).outcome == TestPrintOutcome::NoPrinter;
    if (!ratioHeld || !Held(stepped) || RevealsServiceControls(x, y, false) || !jobFits ||
        !noPrinter) {
        std::abort();
    }
    return 0;
}

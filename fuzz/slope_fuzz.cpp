// The Slope correction page's rules and the test print on any record, pattern, scroll code and
// click. The input is the DriverDevMode's bytes, then the pattern,
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
    GetSlopeControls(dm.ps); // any readings: the displays neither divide by zero nor overflow
    LONG stepped = kSlopeMin;
    SpinReading(dm.ps.Left, code, &stepped);
    FUZZ_CHECK(stepped >= kSlopeMin && stepped <= kSlopeMax);
    const TestPrintJob job = BuildTestPrintJob(dm.ps.BaseDpi, pattern);
    FUZZ_CHECK(job.length > 0 && job.length <= kTestPrintJobMax &&
               job.text[job.length - 1] == '\n');
    // No printer exists here: any record is refused at the open.
    FUZZ_CHECK(SendTestPrint(TEXT("VORIKA"), &dm, pattern).outcome == TestPrintOutcome::NoPrinter);
    return 0;
}

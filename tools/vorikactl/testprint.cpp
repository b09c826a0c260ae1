#include "tools/vorikactl/testprint.h"
#include "tools/vorikactl/console.h"
#include "tools/vorikactl/devmode_print.h"
#include "tools/vorikactl/spooler.h"

#include "pages/slope/slope_model.h"
#include "pages/slope/test_print.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// The slope test print, as the page's main button sends it.
constexpr LONG kDefaultPattern = 2;

// A signed decimal number of 32 bits, and nothing else.
bool ParsePattern(LPCWSTR text, LONG* pattern) {
    const bool negative = text[0] == L'-';
    int i = negative ? 1 : 0;
    if (text[i] == 0) {
        return false;
    }
    int64_t magnitude = 0;
    for (; text[i] != 0; ++i) {
        if (text[i] < L'0' || text[i] > L'9' || magnitude > INT32_MAX) {
            return false;
        }
        magnitude = magnitude * 10 + (text[i] - L'0');
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) {
        return false;
    }
    *pattern = static_cast<LONG>(value);
    return true;
}

// The DEVMODE the driver would give the printer: the defaults of its model, whose name decides
// the form of the job, with the printer's own name as device name, which the job is sent to.
bool PrinterDevMode(LPCWSTR printerName, DriverDevMode* dm) {
    PrinterHandle printer(printerName);
    if (!printer) {
        Fail("no printer named", printerName, GetLastError());
        return false;
    }
    const std::vector<BYTE> info = ReadPrinterInfo2(printer.get());
    if (info.empty()) {
        Fail("cannot read the driver of printer", printerName, GetLastError());
        return false;
    }
    const int length = lstrlenW(printerName);
    if (length > CCHDEVICENAME) {
        Fail("a DEVMODE holds at most 32 characters of the printer name", printerName);
        return false;
    }
    SetDefaultDevMode(dm, reinterpret_cast<const PRINTER_INFO_2W*>(info.data())->pDriverName);
    std::memset(dm->dm.dmDeviceName, 0, sizeof dm->dm.dmDeviceName);
    std::memcpy(dm->dm.dmDeviceName, printerName, length * sizeof(WCHAR));
    return true;
}

int Report(LPCWSTR printerName, LONG pattern, const TestPrintReport& report) {
    switch (report.outcome) {
    case TestPrintOutcome::Written:
        std::printf("test print %ld sent to \"", static_cast<long>(pattern));
        PrintWide(stdout, printerName);
        std::printf("\": %lu bytes written\n", static_cast<unsigned long>(report.written));
        return 0;
    case TestPrintOutcome::NoPrinter:
        return Fail("the spooler did not open printer", printerName, report.error);
    case TestPrintOutcome::NoDocument:
        return Fail("the spooler refused the test-print job for", printerName, report.error);
    case TestPrintOutcome::WriteFailed:
        return Fail("the spooler refused the test-print data for", printerName, report.error);
    case TestPrintOutcome::WriteShort:
    default: {
        char what[96];
        std::snprintf(
            what, sizeof what, "the spooler took only %lu of %lu bytes of the test print for",
            static_cast<unsigned long>(report.written), static_cast<unsigned long>(report.length));
        return Fail(what, printerName);
    }
    }
}

} // namespace

int TestPrintCommand(int count, wchar_t** args, int (*usage)()) {
    LONG pattern = kDefaultPattern;
    if (count == 3 && lstrcmpW(args[1], L"--pattern") == 0) {
        // A number the printer has no pattern for would reach it all the same: refused here.
        if (!ParsePattern(args[2], &pattern) || !IsTestPrintPattern(pattern)) {
            return FailWith("no test pattern", args[2], "the printer has the patterns 0, 1 and 2");
        }
    } else if (count != 1) {
        return usage();
    }
    DriverDevMode dm;
    if (!PrinterDevMode(args[0], &dm)) {
        return 1;
    }
    return Report(args[0], pattern, SendTestPrint(args[0], &dm, pattern));
}

#include "pages/slope/test_print.h"

#include <winspool.h>

#include <cstdio>

namespace {

TestPrintReport Refused(TestPrintOutcome outcome) {
    return {outcome, 0, 0, GetLastError()};
}

// Steps 3 to 6 on a printer whose document is started: one page, one write of the whole text.
// The page and the document are ended whatever the write did.
TestPrintReport WriteJob(HANDLE printer, const DriverDevMode* devmode, LONG pattern) {
    TestPrintJob job = BuildTestPrintJob(devmode->ps.BaseDpi, pattern);
    const DWORD length = static_cast<DWORD>(job.length);
    StartPagePrinter(printer);
    DWORD written = 0;
    const BOOL accepted = WritePrinter(printer, job.text, length, &written);
    const DWORD error = accepted ? 0 : GetLastError();
    EndPagePrinter(printer);
    EndDocPrinter(printer);
    if (!accepted) {
        return {TestPrintOutcome::WriteFailed, length, written, error};
    }
    if (written != length) {
        return {TestPrintOutcome::WriteShort, length, written, 0};
    }
    return {TestPrintOutcome::Written, length, written, 0};
}

} // namespace

TestPrintJob BuildTestPrintJob(SHORT baseDpi, LONG pattern) {
    const char* format = baseDpi == kBaseDpiKlv20 ? "@PJL DO TESTPRINT=%d\n"
                                                  : "\x1b%%-12345X\n@PJL DO TESTPRINT=%d\n";
    TestPrintJob job;
    job.length = std::snprintf(job.text, sizeof job.text, format, static_cast<int>(pattern));
    return job;
}

TestPrintReport SendTestPrint(LPCWSTR printerName, const DriverDevMode* devmode, LONG pattern) {
    // No name would open the print server itself, not a printer.
    if (printerName == nullptr || devmode == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return Refused(TestPrintOutcome::NoPrinter);
    }
    WCHAR datatype[] = TEXT("RAW");
    // Full access is granted to administrators only; a print job needs no more than use.
    PRINTER_DEFAULTSW defaults{datatype, const_cast<DEVMODEW*>(&devmode->dm), PRINTER_ACCESS_USE};
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(printerName), &printer, &defaults)) {
        return Refused(TestPrintOutcome::NoPrinter);
    }
    WCHAR docName[] = TEXT("TestPrint");
    DOC_INFO_1W document{docName, nullptr, datatype};
    TestPrintReport report;
    if (StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&document)) == 0) {
        report = Refused(TestPrintOutcome::NoDocument);
    } else {
        report = WriteJob(printer, devmode, pattern);
    }
    ClosePrinter(printer);
    return report;
}

BOOL TestPrint(LPCWSTR printerName, const DriverDevMode* devmode, LONG pattern) {
    return SendTestPrint(printerName, devmode, pattern).outcome == TestPrintOutcome::Written ? 1
                                                                                             : 0;
}

// The test print through Wine's spooler: the exact bytes that reach a printer's port.
#ifdef _WIN32
#include "pages/slope/test_print.h"

#include "tests/pages/slope/captured_printer.h"

#include <gtest/gtest.h>

namespace {

DriverDevMode DevModeFor(const CapturedPrinter& printer, SHORT baseDpi) {
    DriverDevMode dm;
    SetDefaultDevMode(&dm, printer.name());
    dm.ps.BaseDpi = baseDpi;
    return dm;
}

} // namespace

TEST(WineTestPrint, ThePortReceivesExactlyTheJobText) {
    CapturedPrinter klv20(L"Velmar VORIKA KLV-20");
    const DriverDevMode dm = DevModeFor(klv20, 1016);
    EXPECT_EQ(TestPrint(&dm, 2), 1);
    EXPECT_EQ(klv20.Output(), "@PJL DO TESTPRINT=2\n");

    CapturedPrinter other(L"Velmar VORIKA KLV-30");
    const DriverDevMode dm30 = DevModeFor(other, 1058);
    EXPECT_EQ(TestPrint(&dm30, 0), 1);
    EXPECT_EQ(other.Output(), "\x1b%-12345X\n@PJL DO TESTPRINT=0\n");

    CapturedPrinter negative(L"Velmar VORIKA KLV-20");
    const DriverDevMode dmNegative = DevModeFor(negative, 1016);
    EXPECT_EQ(TestPrint(&dmNegative, -1), 1);
    EXPECT_EQ(negative.Output(), "@PJL DO TESTPRINT=-1\n");
}

TEST(WineTestPrint, ANameThatNamesNoPrinterIsRefusedAtOpening) {
    DriverDevMode dm;
    SetDefaultDevMode(&dm, L"VORIKA no such printer");
    const TestPrintReport report = SendTestPrint(&dm, 2);
    EXPECT_EQ(report.outcome, TestPrintOutcome::NoPrinter);
    EXPECT_EQ(report.error, static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
}
#endif

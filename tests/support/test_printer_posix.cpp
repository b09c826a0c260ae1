#include "tests/support/test_printer.h"

#include "platform/posix/standin_control.h"

#include <gtest/gtest.h>

TestPrinter::TestPrinter(LPCWSTR model, LPCWSTR name)
    : name_(name != nullptr ? name : TEXT("VORIKA test printer")), model_(model) {
    standin::Reset();
    standin::AddDriver({model_, TEXT("klv20.tpd"), TEXT("vorikaui.dll")});
    standin::AddPrinter({name_, model_, {}, false});
    EXPECT_TRUE(OpenPrinterW(name_.data(), &handle_, nullptr));
    standin::ResetCounts();
}

TestPrinter::~TestPrinter() {
    ClosePrinter(handle_);
    standin::Reset();
}

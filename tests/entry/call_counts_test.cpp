// What one request costs in spooler calls and allocations, counted on the stand-in spooler. The
// figures follow from the request's steps; a change that adds a call shows up here.
#ifndef _WIN32

#include "entry/driver_ui.h"
#include "platform/posix/standin_control.h"
#include "settings/driver_devmode.h"
#include "settings/printer_data.h"
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using standin::Op;

struct Cost {
    unsigned getPrinter;
    unsigned getPrinterDriver;
    unsigned getPrinterData;
    unsigned allocations;
};

Cost Measured() {
    return {standin::CallCount(Op::GetPrinter), standin::CallCount(Op::GetPrinterDriver),
            standin::CallCount(Op::GetPrinterData), standin::AllocationCount()};
}

void ExpectCost(const Cost& expected) {
    const Cost got = Measured();
    EXPECT_EQ(got.getPrinter, expected.getPrinter);
    EXPECT_EQ(got.getPrinterDriver, expected.getPrinterDriver);
    EXPECT_EQ(got.getPrinterData, expected.getPrinterData);
    EXPECT_EQ(got.allocations, expected.allocations);
    EXPECT_EQ(standin::CallCount(Op::SetPrinterData), 0u);
}

// Nothing stored: the size value of the whole block is missing (1 read), then the record is
// built from 32 values, two missing material block sizes and 7 values of the record's tail.
constexpr unsigned kLoadNothingStored = 1 + 32 + 2 + 7;
// A stored whole block: its size value and its data.
constexpr unsigned kLoadWholeBlock = 2;

LONG CopyOut(const TestPrinter& printer, std::vector<BYTE>* out) {
    out->assign(kDriverDevModeSize, 0);
    return DrvDocumentProperties(nullptr, printer.handle(), const_cast<LPWSTR>(printer.model()),
                                 reinterpret_cast<DEVMODEW*>(out->data()), nullptr, DM_COPY);
}

} // namespace

// UI context: its heap and the record in it, the driver information, the device data record, the
// printer information, the driver name copy and the loaded settings record.
TEST(RequestCost, DocumentPropertiesWithoutInput) {
    TestPrinter printer(TEXT("Velmar VORIKA KLV-20"));
    std::vector<BYTE> out;
    ASSERT_EQ(CopyOut(printer, &out), IDOK);
    ExpectCost({2, 2, kLoadNothingStored, 7});

    PrinterSettings stored;
    SetDefaultPrinterSettings(&stored, kBaseDpiKlv20);
    SavePrinterProperties(printer.handle(), &stored, sizeof stored);
    standin::ResetCounts();
    ASSERT_EQ(CopyOut(printer, &out), IDOK);
    ExpectCost({2, 2, kLoadWholeBlock, 7});
}

// The temporary DEVMODE and, without a caller's DEVMODE, the loaded settings record.
TEST(RequestCost, PaperSizeCapability) {
    TestPrinter printer(TEXT("Velmar VORIKA KLV-20"));
    POINT size{};
    ASSERT_EQ(DrvDeviceCapabilities(printer.handle(), const_cast<LPWSTR>(printer.model()),
                                    DC_PAPERSIZE, &size, nullptr),
              1u);
    ExpectCost({0, 0, kLoadNothingStored, 2});

    DriverDevMode dm;
    SetDefaultDevMode(&dm, printer.model());
    standin::ResetCounts();
    ASSERT_EQ(DrvDeviceCapabilities(printer.handle(), const_cast<LPWSTR>(printer.model()),
                                    DC_PAPERSIZE, &size, &dm.dm),
              1u);
    ExpectCost({0, 0, 0, 1});
}

#endif

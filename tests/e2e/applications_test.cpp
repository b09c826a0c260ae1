// The driver as applications meet it under Wine, whose spooler passes no printer handle where
// the spooler of Windows passes an open one: a printer added without a DEVMODE, the print
// dialogs' defaults, document properties and capabilities asked for by name only.
#include "tests/e2e/installed_driver.h"

#include "settings/driver_devmode.h"
#include "settings/printer_data.h"

#include <commdlg.h>
#include <gtest/gtest.h>

namespace {

constexpr LPCWSTR kAddedPrinter = L"VORIKA e2e added with the driver in place";

std::vector<BYTE> DefaultDevModeOf(HANDLE printer) {
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    if (!GetPrinterW(printer, 2, info.data(), needed, &needed)) {
        return {};
    }
    const DEVMODEW* dm = reinterpret_cast<const PRINTER_INFO_2W*>(info.data())->pDevMode;
    if (dm == nullptr) {
        return {};
    }
    const auto* bytes = reinterpret_cast<const BYTE*>(dm);
    return {bytes, bytes + dm->dmSize + dm->dmDriverExtra};
}

// What the dialogs hand an application: the driver's DEVMODE for a portrait-only printer whose
// only paper is the user-defined 50 by 50 mm.
void ExpectDriverDefaults(const DEVMODEW* dm) {
    ASSERT_NE(dm, nullptr);
    EXPECT_EQ(dm->dmSize, sizeof(DEVMODEW));
    EXPECT_EQ(dm->dmDriverExtra, sizeof(PrinterSettings));
    EXPECT_EQ(dm->dmOrientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(dm->dmPaperSize, DMPAPER_USER);
    EXPECT_EQ(dm->dmPaperWidth, 500);
    EXPECT_EQ(dm->dmPaperLength, 500);
}

void ExpectPrintDialogDefaults() {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    ASSERT_TRUE(PrintDlgW(&pd)) << CommDlgExtendedError();
    ExpectDriverDefaults(static_cast<const DEVMODEW*>(GlobalLock(pd.hDevMode)));
    GlobalUnlock(pd.hDevMode);
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
}

void ExpectPageSetupDefaults() {
    PAGESETUPDLGW psd{};
    psd.lStructSize = sizeof psd;
    psd.Flags = PSD_RETURNDEFAULT | PSD_INHUNDREDTHSOFMILLIMETERS;
    ASSERT_TRUE(PageSetupDlgW(&psd)) << CommDlgExtendedError();
    ExpectDriverDefaults(static_cast<const DEVMODEW*>(GlobalLock(psd.hDevMode)));
    GlobalUnlock(psd.hDevMode);
    EXPECT_EQ(psd.ptPaperSize.x, 5000);
    EXPECT_EQ(psd.ptPaperSize.y, 5000);
    GlobalFree(psd.hDevMode);
    GlobalFree(psd.hDevNames);
}

TEST(Applications, MeetTheDriverByPrinterNameOnly) {
    // Added while the built DLL is the configuration file: the spooler asks the driver for the
    // new printer's default DEVMODE, by name only.
    AddPrinterOfModel(kAddedPrinter, kKlv20Model);
    OpenedPrinter printer(kAddedPrinter);
    const std::vector<BYTE> initial = DefaultDevModeOf(printer.handle());
    ASSERT_EQ(initial.size(), kDriverDevModeSize);
    EXPECT_EQ(At<DWORD>(initial, sizeof(DEVMODEW) + offsetof(PrinterSettings, dwPrivData)),
              kPrivSignature);

    ASSERT_TRUE(SetDefaultPrinterW(kAddedPrinter)) << GetLastError();
    ExpectPrintDialogDefaults();
    ExpectPageSetupDefaults();

    PrinterSettings stored;
    SetDefaultPrinterSettings(&stored, kBaseDpiKlv20);
    stored.UserDefinedX = 432;
    stored.UserDefinedY = 210;
    ASSERT_EQ(SavePrinterProperties(printer.handle(), &stored, sizeof stored), 1u);

    std::vector<BYTE> out(kDriverDevModeSize);
    EXPECT_EQ(DocumentPropertiesW(nullptr, nullptr, const_cast<LPWSTR>(kAddedPrinter),
                                  reinterpret_cast<DEVMODEW*>(out.data()), nullptr, DM_OUT_BUFFER),
              IDOK);
    EXPECT_EQ(At<SHORT>(out, sizeof(DEVMODEW) + offsetof(PrinterSettings, UserDefinedX)), 432);
    EXPECT_EQ(At<SHORT>(out, offsetof(DEVMODEW, dmPaperLength)), 210);

    POINT size{};
    EXPECT_EQ(DeviceCapabilitiesW(kAddedPrinter, L"FILE:", DC_PAPERSIZE,
                                  reinterpret_cast<LPWSTR>(&size), nullptr),
              1);
    EXPECT_EQ(size.x, 432);
    EXPECT_EQ(size.y, 210);
}

} // namespace

// The spooler's DEVMODE conversions.
#include "context/module_instance.h"
#include "context/spooler_reads.h"
#include "context/ui_context.h"
#include "entry/driver_ui.h"
#include "settings/devmode_convert.h"

#include <cstring>

namespace {

// Writes the driver defaults under the name of the printer's driver; false when the printer or
// its driver information can't be had.
bool WriteDriverDefaults(LPWSTR pPrinterName, DEVMODEW* pdmOut) {
    HANDLE hPrinter = nullptr;
    if (!OpenPrinterW(pPrinterName, &hPrinter, nullptr)) {
        return false;
    }
    bool written = false;
    auto* driverInfo = reinterpret_cast<DRIVER_INFO_2W*>(MyGetPrinterDriver(hPrinter, 2));
    if (driverInfo != nullptr) {
        PpdData* ppd = PpdCreate(driverInfo->pDataFile, ghInstance);
        if (ppd != nullptr) {
            DriverDevMode defaults;
            SetDefaultDevMode(&defaults, driverInfo->pName);
            // The caller's buffer need not be aligned for the record.
            std::memcpy(pdmOut, &defaults, sizeof defaults);
            PpdDelete(ppd);
            written = true;
        }
        GlobalFree(driverInfo);
    }
    ClosePrinter(hPrinter);
    return written;
}

} // namespace

extern "C" BOOL WINAPI DrvConvertDevMode(LPWSTR pPrinterName, DEVMODEW* pdmIn, DEVMODEW* pdmOut,
                                         LONG* pcbNeeded, DWORD fMode) {
    int r =
        CommonDrvConvertDevmode(pPrinterName, pdmIn, pdmOut, pcbNeeded, fMode, psDriverVersions);
    if (r == 2 && fMode == CDM_DRIVER_DEFAULT && WriteDriverDefaults(pPrinterName, pdmOut)) {
        r = 1;
    }
    return r == 1;
}

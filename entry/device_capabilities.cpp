// Device capability answers, from a DEVMODE built like a UI context's.
#include "context/ui_context.h"
#include "entry/driver_ui.h"
#include "settings/driver_devmode.h"
#include "settings/printer_data.h"

#include <cstring>

namespace {

constexpr DWORD kNotAnswered = static_cast<DWORD>(-1);
constexpr LONG kFirstFrameIdx = 3;
constexpr LONG kResolutionCount = 8; // frame indices 3 .. 10

// The caller's output may lie anywhere; every value is written bytewise.
template <typename T> void Put(LPVOID out, size_t index, T value) {
    std::memcpy(static_cast<BYTE*>(out) + index * sizeof(T), &value, sizeof(T));
}

void BuildDevMode(DriverDevMode* temp, HANDLE hPrinter, LPCWSTR pDeviceName,
                  const DEVMODEW* pdmSrc) {
    SetDefaultDevMode(temp, pDeviceName);
    ValidateSetDevMode(temp, pdmSrc);
    if (pdmSrc == nullptr) {
        PrinterSettings* stored = GetPrinterProperties(hPrinter, temp->dm.dmDeviceName);
        if (stored != nullptr) {
            std::memcpy(&temp->ps, stored, sizeof temp->ps);
            GlobalFree(stored);
        }
    }
    SetDerivedFields(temp);
}

DWORD Answer(const DriverDevMode& dm, WORD capability, LPVOID out) {
    const PrinterSettings& ps = dm.ps;
    switch (capability) {
    case DC_FIELDS:
        return dm.dm.dmFields;
    case DC_PAPERS:
        if (out != nullptr) {
            Put<WORD>(out, 0, DMPAPER_USER);
        }
        return 1;
    case DC_PAPERSIZE:
        if (out != nullptr) {
            Put<LONG>(out, 0, ps.UserDefinedX);
            Put<LONG>(out, 1, ps.UserDefinedY);
        }
        return 1;
    case DC_MINEXTENT:
    case DC_MAXEXTENT:
        return (static_cast<DWORD>(static_cast<WORD>(ps.LimitY)) << 16) |
               static_cast<WORD>(ps.LimitX);
    case DC_SIZE:
        return dm.dm.dmSize;
    case DC_EXTRA:
        return dm.dm.dmDriverExtra;
    case DC_VERSION:
        return dm.dm.dmSpecVersion;
    case DC_DRIVER:
        return dm.dm.dmDriverVersion;
    case DC_ENUMRESOLUTIONS:
        if (out != nullptr) {
            for (LONG i = 0; i < kResolutionCount; ++i) {
                const LONG dpi = FrameIdx2Dpi(ps.BaseDpi, kFirstFrameIdx + i);
                Put<LONG>(out, 2 * i, dpi);
                Put<LONG>(out, 2 * i + 1, dpi);
            }
        }
        return kResolutionCount;
    case DC_FILEDEPENDENCIES:
        if (out != nullptr) {
            Put<WORD>(out, 0, 0);
        }
        return 0;
    case DC_TRUETYPE:
        return DCTT_BITMAP;
    case DC_PAPERNAMES:
        if (out != nullptr) {
            static constexpr WCHAR kPaperName[] = TEXT("User Size");
            std::memcpy(out, kPaperName, sizeof kPaperName);
        }
        return 1;
    case DC_COPIES:
        return 1;
    case DC_BINS:
    case DC_DUPLEX:
    case DC_BINNAMES:
    case DC_ORIENTATION:
        return 0;
    default:
        return kNotAnswered;
    }
}

} // namespace

extern "C" DWORD WINAPI DrvDeviceCapabilities(HANDLE hPrinter, LPWSTR pDeviceName, WORD capability,
                                              LPVOID pOutput, DEVMODEW* pdmSrc) {
    auto* temp = static_cast<DriverDevMode*>(GlobalAlloc(GMEM_FIXED, sizeof(DriverDevMode)));
    if (temp == nullptr) {
        return kNotAnswered;
    }
    // Wine's spooler hands this call no handle: the stored settings are read from the printer
    // named, as with the handle the spooler of Windows would have given.
    HANDLE opened;
    BuildDevMode(temp, OpenRequestPrinter(hPrinter, pDeviceName, &opened), pDeviceName, pdmSrc);
    CloseRequestPrinter(opened);
    const DWORD answer = Answer(*temp, capability, pOutput);
    GlobalFree(temp);
    return answer;
}

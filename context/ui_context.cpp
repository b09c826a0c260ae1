#include "context/ui_context.h"

#include "context/spooler_reads.h"
#include "settings/printer_data.h"

#include <winspool.h>

#include <cstring>

namespace {

LPWSTR CopyToHeap(HANDLE heap, LPCWSTR text) {
    const int length = lstrlenW(text);
    auto copy = static_cast<LPWSTR>(HeapAlloc(heap, 0, (length + 1) * sizeof(WCHAR)));
    if (copy != nullptr) {
        if (length > 0) {
            std::memcpy(copy, text, length * sizeof(WCHAR));
        }
        copy[length] = 0;
    }
    return copy;
}

// The context's private settings, when the caller gave no DEVMODE: the printer's stored ones.
bool TakeStoredProperties(UiData* ui) {
    PrinterSettings* stored = GetPrinterProperties(ui->hPrinter, ui->devmode.dm.dmDeviceName);
    if (stored == nullptr) {
        return false;
    }
    std::memcpy(&ui->devmode.ps, stored, sizeof ui->devmode.ps);
    GlobalFree(stored);
    return true;
}

void DestroyHeap(UiData* ui) {
    HeapDestroy(ui->hHeap);
}

// The bytes of the printer information that follow its default DEVMODE: that DEVMODE can claim
// more in its header than the spooler stored, and only these may be read.
size_t BytesFrom(const BYTE* buffer, DWORD size, const DEVMODEW* pdm) {
    const auto* at = reinterpret_cast<const BYTE*>(pdm);
    if (at < buffer || at >= buffer + size) {
        return 0;
    }
    return static_cast<size_t>(buffer + size - at);
}

} // namespace

HANDLE OpenRequestPrinter(HANDLE hPrinter, LPCWSTR pPrinterName, HANDLE* opened) {
    *opened = nullptr;
    if (hPrinter != nullptr || pPrinterName == nullptr) {
        return hPrinter;
    }
    if (!OpenPrinterW(const_cast<LPWSTR>(pPrinterName), opened, nullptr)) {
        *opened = nullptr;
    }
    return *opened;
}

void CloseRequestPrinter(HANDLE opened) {
    if (opened != nullptr) {
        ClosePrinter(opened);
    }
}

bool IsValidUiData(const UiData* ui) {
    return ui != nullptr && ui->pStartMark == ui && ui->pEndMark == ui;
}

UiData* FillUiData(HANDLE hPrinter, const DEVMODEW* pdmInput) {
    HANDLE heap = HeapCreate(0, 8192, 0);
    if (heap == nullptr) {
        return nullptr;
    }
    auto* ui = static_cast<UiData*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(UiData)));
    if (ui == nullptr) {
        HeapDestroy(heap);
        return nullptr;
    }
    ui->pStartMark = ui;
    ui->pEndMark = ui;
    ui->hPrinter = hPrinter;
    ui->hHeap = heap;

    ui->pPpdData = LoadPpdFile(hPrinter);
    if (ui->pPpdData == nullptr) {
        DestroyHeap(ui);
        return nullptr;
    }
    DWORD infoSize = 0;
    LPBYTE info = MyGetPrinter(hPrinter, 2, &infoSize);
    auto* printerInfo = reinterpret_cast<PRINTER_INFO_2W*>(info);
    if (printerInfo == nullptr) {
        ReleaseUiData(ui);
        return nullptr;
    }
    ui->pDriverName = CopyToHeap(heap, printerInfo->pDriverName);
    ui->pPrinterName = CopyToHeap(heap, printerInfo->pPrinterName);
    if (ui->pDriverName == nullptr || ui->pPrinterName == nullptr) {
        GlobalFree(printerInfo);
        ReleaseUiData(ui);
        return nullptr;
    }
    SetDefaultDevMode(&ui->devmode, ui->pDriverName);
    ValidateSetDevModeWithin(&ui->devmode, printerInfo->pDevMode,
                             BytesFrom(info, infoSize, printerInfo->pDevMode));
    ValidateSetDevMode(&ui->devmode, pdmInput);
    GlobalFree(printerInfo);

    if (pdmInput == nullptr && !TakeStoredProperties(ui)) {
        ReleaseUiData(ui);
        return nullptr;
    }
    SetDerivedFields(&ui->devmode);
    return ui;
}

UiData* FillRequestUiData(HANDLE hPrinter, LPCWSTR pPrinterName, const DEVMODEW* pdmInput) {
    HANDLE opened;
    UiData* ui = FillUiData(OpenRequestPrinter(hPrinter, pPrinterName, &opened), pdmInput);
    if (ui == nullptr) {
        CloseRequestPrinter(opened);
        return nullptr;
    }
    ui->hOpenedPrinter = opened;
    return ui;
}

void ReleaseUiData(UiData* ui) {
    const HANDLE opened = ui->hOpenedPrinter;
    // The record that holds the device data pointer lives in the heap: give it back first.
    UnloadPpdFile(ui->pPpdData);
    DestroyHeap(ui);
    CloseRequestPrinter(opened);
}

#include "entry/ui_context.h"

#include "settings/printer_data.h"

#include <winspool.h>

#include <cstring>

namespace {

template <typename Read> LPBYTE SizedRead(Read read) {
    DWORD needed = 0;
    if (read(nullptr, 0, &needed) || GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return nullptr;
    }
    auto buffer = static_cast<LPBYTE>(GlobalAlloc(GMEM_FIXED, needed));
    if (buffer == nullptr) {
        return nullptr;
    }
    if (!read(buffer, needed, &needed)) {
        GlobalFree(buffer);
        return nullptr;
    }
    return buffer;
}

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

} // namespace

LPBYTE MyGetPrinter(HANDLE hPrinter, DWORD level) {
    return SizedRead([&](LPBYTE buffer, DWORD size, LPDWORD needed) {
        return GetPrinterW(hPrinter, level, buffer, size, needed) != FALSE;
    });
}

LPBYTE MyGetPrinterDriver(HANDLE hPrinter, DWORD level) {
    return SizedRead([&](LPBYTE buffer, DWORD size, LPDWORD needed) {
        return GetPrinterDriverW(hPrinter, nullptr, level, buffer, size, needed) != FALSE;
    });
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
    auto* printerInfo = reinterpret_cast<PRINTER_INFO_2W*>(MyGetPrinter(hPrinter, 2));
    if (printerInfo == nullptr) {
        ReleaseUiData(ui);
        return nullptr;
    }
    ui->pDriverName = CopyToHeap(heap, printerInfo->pDriverName);
    if (ui->pDriverName == nullptr) {
        GlobalFree(printerInfo);
        ReleaseUiData(ui);
        return nullptr;
    }
    SetDefaultDevMode(&ui->devmode, ui->pDriverName);
    ValidateSetDevMode(&ui->devmode, printerInfo->pDevMode);
    ValidateSetDevMode(&ui->devmode, pdmInput);
    GlobalFree(printerInfo);

    if (pdmInput == nullptr && !TakeStoredProperties(ui)) {
        ReleaseUiData(ui);
        return nullptr;
    }
    SetDerivedFields(&ui->devmode);
    return ui;
}

void ReleaseUiData(UiData* ui) {
    // The record that holds the device data pointer lives in the heap: give it back first.
    UnloadPpdFile(ui->pPpdData);
    DestroyHeap(ui);
}

#include "tools/vorikactl/show.h"
#include "tools/vorikactl/console.h"
#include "tools/vorikactl/devmode_print.h"
#include "tools/vorikactl/spooler.h"

#include "settings/printer_settings.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr LPCWSTR kWholeRecordValue = L"PrinterData";
constexpr LPCWSTR kMaterialBlockValues[] = {L"PrinterDataSize",      L"MaterialSetDataSize",
                                            L"MaterialSetData",      L"MaterialPhotoSetDataSize",
                                            L"MaterialPhotoSetData", L"Permission"};

// What DocumentPropertiesW writes for an application, or nothing when it fails.
std::vector<BYTE> AskDocumentProperties(HANDLE printer, LPCWSTR printerName, LONG size,
                                        DEVMODEW* input) {
    std::vector<BYTE> output(size);
    const DWORD mode = input != nullptr ? DM_IN_BUFFER | DM_OUT_BUFFER : DM_OUT_BUFFER;
    const LONG answer =
        DocumentPropertiesW(nullptr, printer, const_cast<LPWSTR>(printerName),
                            reinterpret_cast<DEVMODEW*>(output.data()), input, mode);
    std::printf(" DocumentPropertiesW answers %ld\n", static_cast<long>(answer));
    if (answer < 0) {
        return {};
    }
    return output;
}

// An application's changes: landscape, three copies, and, where the DEVMODE carries this driver's
// private part, work size, resolution and brightness of its own. A DEVMODE of another driver (or
// one whose header claims more than it holds) keeps its private part as it is.
std::vector<BYTE> ModifiedInput(const std::vector<BYTE>& base) {
    std::vector<BYTE> input(base);
    auto* dm = reinterpret_cast<DEVMODEW*>(input.data());
    dm->dmFields |= DM_ORIENTATION | DM_COPIES;
    dm->dmOrientation = DMORIENT_LANDSCAPE;
    dm->dmCopies = 3;
    if (dm->dmDriverExtra != sizeof(PrinterSettings) ||
        size_t{dm->dmSize} + dm->dmDriverExtra > input.size()) {
        std::puts(" (not this driver's private part: only the public changes are made)");
        return input;
    }
    PrinterSettings ps;
    std::memcpy(&ps, input.data() + dm->dmSize, sizeof ps);
    ps.UserDefinedX = 400;
    ps.UserDefinedY = 250;
    ps.FrameDpiIdx = 3;
    ps.Brightness = 12;
    std::memcpy(input.data() + dm->dmSize, &ps, sizeof ps);
    return input;
}

// The bytes of the spooler's buffer from `at` to its end: all a DEVMODE there may use.
size_t BytesFrom(const std::vector<BYTE>& buffer, const void* at) {
    const auto* p = static_cast<const BYTE*>(at);
    if (p < buffer.data() || p >= buffer.data() + buffer.size()) {
        return 0;
    }
    return static_cast<size_t>(buffer.data() + buffer.size() - p);
}

void ShowDefaultDevMode(HANDLE printer) {
    const std::vector<BYTE> info = ReadPrinterInfo2(printer);
    const DEVMODEW* dm =
        info.empty() ? nullptr : reinterpret_cast<const PRINTER_INFO_2W*>(info.data())->pDevMode;
    if (dm == nullptr) {
        std::puts("The printer's default DEVMODE (PRINTER_INFO_2W): none");
        return;
    }
    std::puts("The printer's default DEVMODE (PRINTER_INFO_2W), merged before the caller's:");
    PrintDevMode(stdout, dm, BytesFrom(info, dm));
}

// The per-field values and blocks that a printer without a whole record may still hold.
void ShowStoredValues(HANDLE printer) {
    int found = 0;
    DWORD type = 0;
    std::vector<BYTE> bytes;
    for (const SettingsField& f : kSettingsFields) {
        if (ReadPrinterData(printer, f.name, &type, &bytes)) {
            PrintStoredValue(stdout, f.name, type, bytes.data(), bytes.size());
            ++found;
        }
    }
    for (LPCWSTR name : kMaterialBlockValues) {
        if (ReadPrinterData(printer, name, &type, &bytes)) {
            PrintStoredValue(stdout, name, type, bytes.data(), bytes.size());
            ++found;
        }
    }
    if (found == 0) {
        std::puts("  no settings values stored either: the driver uses its defaults");
    }
}

void ShowStoredSettings(HANDLE printer) {
    DWORD type = 0;
    std::vector<BYTE> record;
    if (ReadPrinterData(printer, kWholeRecordValue, &type, &record)) {
        std::printf("The printer's stored settings (\"PrinterData\", %zu bytes):\n", record.size());
        PrintSettingsRecord(stdout, record.data(), record.size());
        return;
    }
    std::puts("The printer's stored settings: no \"PrinterData\" value; values present:");
    ShowStoredValues(printer);
}

} // namespace

int Show(LPCWSTR printerName) {
    if (!CheckPrinterAndDriver(printerName)) {
        return 1;
    }
    PrinterHandle printer(printerName);
    LPWSTR name = const_cast<LPWSTR>(printerName);
    const LONG size = DocumentPropertiesW(nullptr, printer.get(), name, nullptr, nullptr, 0);
    std::fputs("Printer \"", stdout);
    PrintWide(stdout, printerName);
    std::printf("\": DocumentPropertiesW(fMode 0) answers %ld bytes\n", static_cast<long>(size));
    if (size < static_cast<LONG>(sizeof(DEVMODEW))) {
        return Fail("the driver gives no DEVMODE size for printer", printerName);
    }

    std::puts("\nDocumentPropertiesW(DM_OUT_BUFFER), no input DEVMODE:");
    const std::vector<BYTE> plain =
        AskDocumentProperties(printer.get(), printerName, size, nullptr);
    if (plain.empty()) {
        return Fail("the driver gives no DEVMODE for printer", printerName);
    }
    PrintDevMode(stdout, reinterpret_cast<const DEVMODEW*>(plain.data()), plain.size());

    std::puts("\nDocumentPropertiesW(DM_IN_BUFFER | DM_OUT_BUFFER), input: the DEVMODE above with"
              " DM_ORIENTATION 2, DM_COPIES 3 and a private part of UserDefinedX 400,"
              " UserDefinedY 250, FrameDpiIdx 3, Brightness 12:");
    std::vector<BYTE> input = ModifiedInput(plain);
    const std::vector<BYTE> merged = AskDocumentProperties(
        printer.get(), printerName, size, reinterpret_cast<DEVMODEW*>(input.data()));
    if (merged.empty()) {
        return Fail("the driver does not merge a DEVMODE for printer", printerName);
    }
    PrintDevMode(stdout, reinterpret_cast<const DEVMODEW*>(merged.data()), merged.size());

    std::putchar('\n');
    ShowDefaultDevMode(printer.get());
    ShowStoredSettings(printer.get());
    return 0;
}

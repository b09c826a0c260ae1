// Loads the stored settings of a printer whose data values, of any type and length, present or
// missing, come from the input. The input is a model selector, then records of a value: name
// index, type, 16-bit length and that many bytes.
#include "fuzz/fuzz_input.h"
#include "platform/posix/standin_control.h"
#include "settings/printer_data.h"

#include <windows.h>

#include <vector>

namespace {

const standin::WString kPrinter = TEXT("Fuzz Printer");
const standin::WString kDriver = TEXT("Fuzz Driver");

// Names besides the blocks' and the fields': near misses and names no one reads.
const LPCWSTR kOtherNames[] = {TEXT(""), TEXT("PrinterDataSiz"), TEXT("printerdata"),
                               TEXT("BaseDpi "), TEXT("Unrelated")};

constexpr size_t kBlockNames = 3 * 2;
constexpr size_t kOtherNameCount = sizeof kOtherNames / sizeof kOtherNames[0];
constexpr size_t kFieldNames = kSettingsFieldCount;
constexpr size_t kNameCount = kBlockNames + kFieldNames + kOtherNameCount;

LPCWSTR ValueName(size_t index) {
    index %= kNameCount;
    if (index < kBlockNames) {
        const PrinterRegInfo& info = printerRegInfo[index / 2];
        return index % 2 == 0 ? info.sizeName : info.dataName;
    }
    index -= kBlockNames;
    if (index < kFieldNames) {
        return kSettingsFields[index].name;
    }
    return kOtherNames[index - kFieldNames];
}

// The value types a record's type byte selects; the last stands for any other number.
DWORD ValueType(uint8_t selector) {
    static const DWORD kTypes[] = {REG_BINARY, REG_DWORD, REG_SZ, REG_NONE, 0xFFFFFFFFu};
    return kTypes[selector % (sizeof kTypes / sizeof kTypes[0])];
}

LPCWSTR ModelName(uint8_t selector) {
    static const LPCWSTR kModels[] = {kModelKlv20, TEXT("Velmar VORIKA KLV-30"),
                                      TEXT("velmar vorika klv-20"), TEXT("")};
    return kModels[selector % (sizeof kModels / sizeof kModels[0])];
}

void SetUpPrinter() {
    standin::Reset();
    standin::AddDriver({kDriver, TEXT("vorika.ppd"), TEXT("vorikaui.dll")});
    standin::PrinterSpec printer;
    printer.name = kPrinter;
    printer.driverName = kDriver;
    standin::AddPrinter(printer);
}

void PutValues(FuzzInput& input) {
    while (input.Remaining() != 0) {
        const LPCWSTR name = ValueName(input.TakeValue<uint8_t>());
        const DWORD type = ValueType(input.TakeValue<uint8_t>());
        std::vector<BYTE> bytes(input.TakeValue<uint16_t>());
        input.Take(bytes.data(), bytes.size());
        standin::PutData(kPrinter, name, type, std::move(bytes));
    }
}

void LoadAndCheck(HANDLE printer, LPCWSTR model) {
    const long live = standin::LiveAllocations();
    PrinterSettings* ps = GetPrinterProperties(printer, model);
    FUZZ_CHECK(ps != nullptr);
    FUZZ_CHECK(ps->BaseDpi == BaseDpiForModel(model));
    GlobalFree(ps);
    FUZZ_CHECK(standin::LiveAllocations() == live);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const LPCWSTR model = ModelName(input.TakeValue<uint8_t>());
    SetUpPrinter();
    PutValues(input);

    HANDLE printer = nullptr;
    FUZZ_CHECK(OpenPrinterW(const_cast<LPWSTR>(kPrinter.c_str()), &printer, nullptr));
    LoadAndCheck(printer, model);
    ClosePrinter(printer);
    return 0;
}

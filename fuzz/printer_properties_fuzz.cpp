// Loads the stored settings of a printer whose data values, of any type and length, present or
// missing, come from the input. The input is a model selector, then records of a value: name
// index (the blocks' size and data values, then the fields'), type, 16-bit length and bytes.
#include "fuzz/fuzz_input.h"
#include "platform/posix/standin_control.h"
#include "settings/printer_data.h"

#include <windows.h>

#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const LPCWSTR kModels[] = {kModelKlv20, TEXT("Velmar VORIKA KLV-30"), TEXT("")};
    static const DWORD kTypes[] = {REG_BINARY, REG_DWORD, REG_SZ, REG_NONE, 0xFFFFFFFFu};
    const standin::WString printer = TEXT("Fuzz Printer");
    FuzzInput input{data, size};
    const LPCWSTR model = kModels[input.TakeValue<uint8_t>() % 3];
    standin::Reset();
    standin::AddDriver({TEXT("Fuzz Driver"), TEXT("vorika.ppd"), TEXT("vorikaui.dll")});
    standin::AddPrinter({printer, TEXT("Fuzz Driver"), {}, false});
    while (input.size != 0) {
        const size_t index = input.TakeValue<uint8_t>() % (6 + kSettingsFieldCount);
        const PrinterRegInfo& block = printerRegInfo[index / 2 % 3];
        const LPCWSTR name = index >= 6       ? kSettingsFields[index - 6].name
                             : index % 2 == 0 ? block.sizeName
                                              : block.dataName;
        const DWORD type = kTypes[input.TakeValue<uint8_t>() % 5];
        std::vector<BYTE> bytes(input.TakeValue<uint16_t>());
        input.Take(bytes.data(), bytes.size());
        standin::PutData(printer, name, type, std::move(bytes));
    }

    // Whatever is stored, a record comes back, its base follows the model and nothing leaks; read
    // one value at a time, as when the spooler cannot enumerate them, the values give the same.
    HANDLE handle = nullptr;
    FUZZ_CHECK(OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &handle, nullptr));
    const long live = standin::LiveAllocations();
    PrinterSettings* ps = GetPrinterProperties(handle, model);
    FUZZ_CHECK(ps != nullptr && ps->BaseDpi == BaseDpiForModel(model));
    standin::FailCall(standin::Op::EnumPrinterDataEx, 1, ERROR_ACCESS_DENIED);
    PrinterSettings* oneByOne = GetPrinterProperties(handle, model);
    FUZZ_CHECK(oneByOne != nullptr && std::memcmp(ps, oneByOne, sizeof *ps) == 0);
    GlobalFree(oneByOne);
    GlobalFree(ps);
    FUZZ_CHECK(standin::LiveAllocations() == live);
    ClosePrinter(handle);
    return 0;
}

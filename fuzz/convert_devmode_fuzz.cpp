// Converts between DEVMODEs of any declared layouts, through each conversion routine and every
// conversion mode. Each output lies in an allocation of exactly the size its header or the
// caller's size declares, so a write past it reaches AddressSanitizer.
#include "fuzz/fuzz_devmode.h"
#include "settings/devmode_convert.h"

#include <algorithm>
#include <optional>

namespace {

enum : uint8_t { kNullIn = 1, kNullOut = 2, kNullSize = 4 };

// The largest output a caller's size asks for that we allocate; no conversion writes more than
// a DEVMODE's 16-bit size and 16-bit extra.
constexpr LONG kLargestOutput = 2 * 65535 + 8;

struct Request {
    uint8_t routine;
    uint8_t nulls;
    DWORD fMode;
    LONG cbNeeded;
};

Request TakeRequest(FuzzInput& input) {
    Request r;
    r.routine = input.TakeValue<uint8_t>() % 3;
    r.nulls = input.TakeValue<uint8_t>();
    r.fMode = input.TakeValue<DWORD>();
    r.cbNeeded = input.TakeValue<LONG>();
    return r;
}

DEVMODEW* OrNull(std::optional<FuzzBuffer>& buffer) {
    return buffer ? buffer->devmode() : nullptr;
}

std::optional<FuzzBuffer> TakeOptionalDevMode(FuzzInput& input, bool null) {
    if (null) {
        return std::nullopt;
    }
    return TakeDevMode(input);
}

// An output of exactly `size` bytes, filled from the input.
FuzzBuffer TakeBuffer(FuzzInput& input, size_t size) {
    FuzzBuffer buffer(size);
    input.Take(buffer.bytes(), size);
    return buffer;
}

void FuzzConvertDevmode(FuzzInput& input, const Request& r) {
    std::optional<FuzzBuffer> in = TakeOptionalDevMode(input, (r.nulls & kNullIn) != 0);
    std::optional<FuzzBuffer> out = TakeOptionalDevMode(input, (r.nulls & kNullOut) != 0);
    const size_t outDeclared = out ? DeclaredDevModeSize(out->bytes()) : 0;
    const LONG copied = ConvertDevmode(OrNull(in), OrNull(out));
    FUZZ_CHECK(copied == -1 || (copied >= 0 && static_cast<size_t>(copied) <= outDeclared));
}

// The layout the caller's input asks for: never larger than the driver's own.
size_t ExpectedOutSize(const DEVMODEW* src, const DEVMODEW* in) {
    if (in == nullptr) {
        return size_t{src->dmSize} + src->dmDriverExtra;
    }
    return size_t{std::min(src->dmSize, in->dmSize)} +
           std::min(src->dmDriverExtra, in->dmDriverExtra);
}

void FuzzConvertDevmodeOut(FuzzInput& input, const Request& r) {
    std::optional<FuzzBuffer> in = TakeOptionalDevMode(input, (r.nulls & kNullIn) != 0);
    FuzzBuffer src(sizeof(DriverDevMode));
    auto* driver = reinterpret_cast<DriverDevMode*>(src.bytes());
    SetDefaultDevMode(driver, kModelKlv20);
    ValidateSetDevMode(driver, OrNull(in));

    const size_t expected = ExpectedOutSize(src.devmode(), OrNull(in));
    FuzzBuffer out = TakeBuffer(input, std::max(expected, kFuzzHeaderBytes));
    if (ConvertDevmodeOut(src.devmode(), OrNull(in), out.devmode())) {
        FUZZ_CHECK(DeclaredDevModeSize(out.bytes()) == expected);
    }
}

// For CDM_CONVERT the output's header sizes the buffer; otherwise the caller's size does.
std::optional<FuzzBuffer> TakeConvertOutput(FuzzInput& input, const Request& r) {
    if ((r.nulls & kNullOut) != 0) {
        return std::nullopt;
    }
    if (r.fMode == CDM_CONVERT) {
        return TakeDevMode(input);
    }
    return TakeBuffer(input, static_cast<size_t>(std::clamp<LONG>(r.cbNeeded, 1, kLargestOutput)));
}

void FuzzCommonDrvConvertDevmode(FuzzInput& input, const Request& r) {
    std::optional<FuzzBuffer> in = TakeOptionalDevMode(input, (r.nulls & kNullIn) != 0);
    std::optional<FuzzBuffer> out = TakeConvertOutput(input, r);
    LONG cbNeeded = r.cbNeeded;
    LONG* pcbNeeded = (r.nulls & kNullSize) != 0 ? nullptr : &cbNeeded;
    const int result = CommonDrvConvertDevmode(TEXT("fuzz"), OrNull(in), OrNull(out), pcbNeeded,
                                               r.fMode, psDriverVersions);
    FUZZ_CHECK(result >= 0 && result <= 2);
    if (result == 1) {
        FUZZ_CHECK(cbNeeded <= r.cbNeeded);
        FUZZ_CHECK(static_cast<size_t>(cbNeeded) <= out->size());
        FUZZ_CHECK(DeclaredDevModeSize(out->bytes()) == static_cast<size_t>(cbNeeded));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const Request r = TakeRequest(input);
    switch (r.routine) {
    case 0:
        FuzzConvertDevmode(input, r);
        break;
    case 1:
        FuzzConvertDevmodeOut(input, r);
        break;
    default:
        FuzzCommonDrvConvertDevmode(input, r);
        break;
    }
    return 0;
}

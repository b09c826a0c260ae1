// Merges and converts DEVMODEs of any declared layouts, through each conversion routine and every
// conversion mode. Each output lies in an allocation of exactly the size its header or the
// caller's size declares, so a write past it reaches AddressSanitizer.
#include "fuzz/fuzz_devmode.h"
#include "settings/devmode_convert.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input{data, size};
    const uint8_t routine = input.TakeValue<uint8_t>() % 3;
    const uint8_t nulls = input.TakeValue<uint8_t>(); // bits: no input, no output, no size
    const DWORD mode = input.TakeValue<DWORD>();
    const LONG asked = input.TakeValue<LONG>();
    FuzzBytes in = TakeDevMode(input);
    DEVMODEW* pin = (nulls & 1) != 0 ? nullptr : AsDevMode(in);

    if (routine == 0) {
        FuzzBytes out = TakeDevMode(input);
        const LONG copied = ConvertDevmode(pin, (nulls & 2) != 0 ? nullptr : AsDevMode(out));
        FUZZ_CHECK(copied == -1 || (copied >= 0 && size_t(copied) <= DeclaredSize(out)));
    } else if (routine == 1) {
        // The printer's default DEVMODE as the spooler holds it (a buffer of some length, whatever
        // its header claims), then the caller's, merged into the driver's own DEVMODE: the fields
        // the merge fixes, normalises or derives hold; then it is written out in the caller's
        // layout, never a larger one.
        const size_t heldLength = input.TakeValue<WORD>() % 2048;
        FuzzBytes held(heldLength == 0 ? 1 : heldLength);
        input.Take(held.data(), heldLength);
        FuzzBytes src(sizeof(DriverDevMode));
        auto* driver = reinterpret_cast<DriverDevMode*>(src.data());
        SetDefaultDevMode(driver, kModelKlv20);
        FUZZ_CHECK(ValidateSetDevModeWithin(driver, AsDevMode(held), heldLength) == TRUE);
        FUZZ_CHECK(ValidateSetDevMode(driver, pin) == TRUE);
        const DEVMODEW& d = driver->dm;
        FUZZ_CHECK(d.dmSize == kPublicDevModeSize && d.dmDriverExtra == kPrinterSettingsSize);
        FUZZ_CHECK(d.dmPaperLength == driver->ps.UserDefinedY &&
                   d.dmPaperWidth == driver->ps.UserDefinedX);
        FUZZ_CHECK(d.dmColor == DMCOLOR_COLOR && (d.dmFields & DM_COLOR) != 0);
        FUZZ_CHECK(d.dmOrientation == DMORIENT_PORTRAIT || d.dmOrientation == DMORIENT_LANDSCAPE);
        FUZZ_CHECK(d.dmScale >= 1 && d.dmScale <= 1000 && d.dmCopies >= 1 && d.dmCopies <= 99);
        const size_t expected = pin == nullptr
                                    ? src.size()
                                    : size_t{std::min(driver->dm.dmSize, pin->dmSize)} +
                                          std::min(driver->dm.dmDriverExtra, pin->dmDriverExtra);
        FuzzBytes out = TakeBytes(input, expected);
        if (ConvertDevmodeOut(AsDevMode(src), pin, AsDevMode(out))) {
            FUZZ_CHECK(DeclaredSize(out) == expected);
        }
    } else {
        // For CDM_CONVERT the output's header sizes the buffer; otherwise the caller's size does.
        FuzzBytes out = mode == CDM_CONVERT ? TakeDevMode(input)
                                            : TakeBytes(input, std::clamp<LONG>(asked, 1, 140000));
        LONG needed = asked;
        const int result =
            CommonDrvConvertDevmode(TEXT("fuzz"), pin, (nulls & 2) != 0 ? nullptr : AsDevMode(out),
                                    (nulls & 4) != 0 ? nullptr : &needed, mode, psDriverVersions);
        FUZZ_CHECK(result >= 0 && result <= 2);
        if (result == 1) {
            FUZZ_CHECK(needed <= asked && size_t(needed) <= out.size());
            FUZZ_CHECK(DeclaredSize(out) == size_t(needed));
        }
    }
    return 0;
}

// Merges a printer's default DEVMODE as the spooler holds it (a buffer of some length, whatever
// its header claims) and then a caller's DEVMODE of any declared layout into the driver DEVMODE,
// and checks the fields the merge must leave fixed, normalised or derived.
#include "fuzz/fuzz_devmode.h"
#include "settings/driver_devmode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input{data, size};
    // The spooler reports the buffer's length; the header inside may claim more or less.
    const size_t heldLength = input.TakeValue<WORD>() % 2048;
    FuzzBytes held(heldLength == 0 ? 1 : heldLength);
    input.Take(held.data(), heldLength);
    FuzzBytes caller = TakeDevMode(input);

    DriverDevMode dm;
    SetDefaultDevMode(&dm, kModelKlv20);
    FUZZ_CHECK(ValidateSetDevModeWithin(&dm, AsDevMode(held), heldLength) == TRUE);
    FUZZ_CHECK(ValidateSetDevMode(&dm, AsDevMode(caller)) == TRUE);
    const DEVMODEW& d = dm.dm;
    FUZZ_CHECK(d.dmSize == kPublicDevModeSize && d.dmDriverExtra == kPrinterSettingsSize);
    FUZZ_CHECK(d.dmPaperLength == dm.ps.UserDefinedY && d.dmPaperWidth == dm.ps.UserDefinedX);
    FUZZ_CHECK(d.dmColor == DMCOLOR_COLOR && (d.dmFields & DM_COLOR) != 0);
    FUZZ_CHECK(d.dmOrientation == DMORIENT_PORTRAIT || d.dmOrientation == DMORIENT_LANDSCAPE);
    FUZZ_CHECK(d.dmScale >= 1 && d.dmScale <= 1000 && d.dmCopies >= 1 && d.dmCopies <= 99);
    return 0;
}

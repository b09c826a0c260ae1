// Merges a printer's default DEVMODE as the spooler holds it (a buffer of some length, whatever
// its header claims) and then a caller's DEVMODE of any declared layout into the driver DEVMODE,
// and checks the fields the merge must leave fixed, normalised or derived.
#include "fuzz/fuzz_devmode.h"
#include "settings/driver_devmode.h"

namespace {

void CheckFixedLayout(const DriverDevMode& dm) {
    FUZZ_CHECK(dm.dm.dmSize == kPublicDevModeSize);
    FUZZ_CHECK(dm.dm.dmDriverExtra == kPrinterSettingsSize);
}

void CheckDerived(const DriverDevMode& dm) {
    FUZZ_CHECK(dm.dm.dmPaperLength == dm.ps.UserDefinedY);
    FUZZ_CHECK(dm.dm.dmPaperWidth == dm.ps.UserDefinedX);
    FUZZ_CHECK(dm.dm.dmColor == DMCOLOR_COLOR);
    FUZZ_CHECK((dm.dm.dmFields & DM_COLOR) != 0);
}

void CheckNormalised(const DriverDevMode& dm) {
    if ((dm.dm.dmFields & DM_ORIENTATION) != 0) {
        FUZZ_CHECK(dm.dm.dmOrientation == DMORIENT_PORTRAIT ||
                   dm.dm.dmOrientation == DMORIENT_LANDSCAPE);
    }
    FUZZ_CHECK(dm.dm.dmScale >= 1 && dm.dm.dmScale <= 1000);
    FUZZ_CHECK(dm.dm.dmCopies >= 1 && dm.dm.dmCopies <= 99);
}

// The spooler reports the buffer's length; the header inside may claim more or less.
FuzzBuffer TakeHeldDevMode(FuzzInput& input, size_t* length) {
    *length = input.TakeValue<WORD>() % 2048;
    FuzzBuffer buffer(*length == 0 ? 1 : *length);
    input.Take(buffer.bytes(), *length);
    return buffer;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    size_t heldLength = 0;
    FuzzBuffer held = TakeHeldDevMode(input, &heldLength);
    FuzzBuffer caller = TakeDevMode(input);

    DriverDevMode dm;
    SetDefaultDevMode(&dm, kModelKlv20);
    FUZZ_CHECK(ValidateSetDevModeWithin(&dm, held.devmode(), heldLength) == TRUE);
    FUZZ_CHECK(ValidateSetDevMode(&dm, caller.devmode()) == TRUE);
    CheckFixedLayout(dm);
    CheckDerived(dm);
    CheckNormalised(dm);
    return 0;
}

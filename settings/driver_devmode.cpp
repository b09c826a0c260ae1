#include "settings/driver_devmode.h"

#include "settings/wide_strings.h"

#include <cstring>

LONG FrameIdx2Dpi(SHORT baseDpi, LONG frameIdx) {
    const LONG divisor = frameIdx == 0 ? 5 : frameIdx;
    const LONG q = (LONG{baseDpi} * 256) / divisor;
    return (q + 128) / 256;
}

namespace {

// Work size n (tenths of a millimetre) in dots at dpi. The product is formed in 32 bits and
// wraps like the driver's stored arithmetic; widening first keeps a hostile record from
// overflowing a signed multiplication.
LONG DotsOf(SHORT dpi, SHORT n) {
    const auto product = static_cast<LONG>(static_cast<uint32_t>(static_cast<int32_t>(dpi)) *
                                           static_cast<uint32_t>(static_cast<int32_t>(n)) * 10u);
    return (product / 254 + 5) / 10;
}

bool Contains(const DEVMODEW* pdm, size_t offset, size_t size) {
    return offset + size <= pdm->dmSize;
}

#define HAS_FIELD(pdm, field) Contains(pdm, offsetof(DEVMODEW, field), sizeof(DEVMODEW::field))

// The caller's dmFields, or none when its header is too short to hold them.
DWORD FieldsOf(const DEVMODEW* pdmIn) {
    return HAS_FIELD(pdmIn, dmFields) ? pdmIn->dmFields : 0;
}

// A bit of the caller's dmFields counts only when the field it announces lies in its dmSize.
#define TAKES(pdmIn, bit, field) ((FieldsOf(pdmIn) & (bit)) != 0 && HAS_FIELD(pdmIn, field))

void MergePaper(DEVMODEW* dm, const DEVMODEW* in) {
    if (TAKES(in, DM_PAPERLENGTH, dmPaperLength) && TAKES(in, DM_PAPERWIDTH, dmPaperWidth) &&
        in->dmPaperWidth > 0 && in->dmPaperLength > 0) {
        // Only the bits matter: the sizes themselves follow the private record.
        dm->dmPaperLength = in->dmPaperLength;
        dm->dmPaperWidth = in->dmPaperWidth;
        dm->dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
    } else if (TAKES(in, DM_FORMNAME, dmFormName)) {
        CopyStringW(dm->dmFormName, in->dmFormName, CCHFORMNAME);
        dm->dmFields |= DM_FORMNAME;
    } else if (TAKES(in, DM_PAPERSIZE, dmPaperSize)) {
        dm->dmPaperSize = in->dmPaperSize;
        dm->dmFields |= DM_PAPERSIZE;
    }
}

void MergePublic(DEVMODEW* dm, const DEVMODEW* in) {
    if (TAKES(in, DM_DEFAULTSOURCE, dmDefaultSource)) {
        dm->dmFields |= DM_DEFAULTSOURCE;
        dm->dmDefaultSource = in->dmDefaultSource;
    }
    if (TAKES(in, DM_ORIENTATION, dmOrientation)) {
        dm->dmFields |= DM_ORIENTATION;
        const bool known =
            in->dmOrientation == DMORIENT_PORTRAIT || in->dmOrientation == DMORIENT_LANDSCAPE;
        dm->dmOrientation = known ? in->dmOrientation : DMORIENT_PORTRAIT;
    }
    if (TAKES(in, DM_YRESOLUTION, dmYResolution) && HAS_FIELD(in, dmPrintQuality)) {
        dm->dmFields |= DM_YRESOLUTION;
        dm->dmYResolution = in->dmYResolution;
        dm->dmPrintQuality = in->dmPrintQuality;
    }
    MergePaper(dm, in);
    if (TAKES(in, DM_SCALE, dmScale)) {
        dm->dmFields |= DM_SCALE;
        dm->dmScale = (in->dmScale >= 1 && in->dmScale <= 1000) ? in->dmScale : 100;
    }
    if (TAKES(in, DM_COPIES, dmCopies)) {
        dm->dmFields |= DM_COPIES;
        dm->dmCopies = (in->dmCopies >= 1 && in->dmCopies <= 99) ? in->dmCopies : 1;
    }
    dm->dmFields |= DM_COLOR;
    dm->dmColor = DMCOLOR_COLOR;
}

#undef TAKES
#undef HAS_FIELD

} // namespace

const BYTE* PrivatePart(const DEVMODEW* pdm) {
    return reinterpret_cast<const BYTE*>(pdm) + pdm->dmSize;
}

BYTE* PrivatePart(DEVMODEW* pdm) {
    return reinterpret_cast<BYTE*>(pdm) + pdm->dmSize;
}

bool HasValidPrivatePart(const DEVMODEW* pdm, WORD driverExtra) {
    if (pdm->dmDriverExtra != driverExtra || driverExtra < kPrinterSettingsSize) {
        return false;
    }
    DWORD signature;
    std::memcpy(&signature, PrivatePart(pdm) + offsetof(PrinterSettings, dwPrivData),
                sizeof signature);
    return signature == kPrivSignature;
}

void SetDerivedFields(DriverDevMode* pdm) {
    const PrinterSettings& ps = pdm->ps;
    const auto dpi = static_cast<SHORT>(FrameIdx2Dpi(ps.BaseDpi, ps.FrameDpiIdx));
    pdm->dm.dmPaperLength = ps.UserDefinedY;
    pdm->dm.dmPaperWidth = ps.UserDefinedX;
    pdm->dm.dmPrintQuality = dpi;
    pdm->dm.dmYResolution = dpi;
    // The width in dots rides in dmLogPixels, not a dots-per-inch figure.
    pdm->dm.dmLogPixels = static_cast<WORD>(DotsOf(dpi, ps.UserDefinedX));
    pdm->dm.dmPelsWidth = static_cast<DWORD>(DotsOf(dpi, ps.UserDefinedX));
    pdm->dm.dmPelsHeight = static_cast<DWORD>(DotsOf(dpi, ps.UserDefinedY));
}

BOOL SetDefaultDevMode(DriverDevMode* pdm, LPCWSTR pszDeviceName) {
    std::memset(pdm, 0, sizeof *pdm);
    DEVMODEW& dm = pdm->dm;
    if (pszDeviceName != nullptr) {
        CopyStringW(dm.dmDeviceName, pszDeviceName, CCHDEVICENAME);
    }
    const SHORT baseDpi = BaseDpiForModel(dm.dmDeviceName);
    const auto dpi = static_cast<SHORT>(FrameIdx2Dpi(baseDpi, 4));

    dm.dmSpecVersion = DM_SPECVERSION;
    dm.dmDriverVersion = kDriverVersion;
    dm.dmSize = kPublicDevModeSize;
    dm.dmDriverExtra = kPrinterSettingsSize;
    dm.dmFields = kDefaultDevModeFields;
    dm.dmOrientation = DMORIENT_PORTRAIT;
    dm.dmPaperSize = DMPAPER_USER;
    dm.dmPaperLength = 500;
    dm.dmPaperWidth = 500;
    dm.dmScale = 100;
    dm.dmCopies = 1;
    dm.dmDefaultSource = DMBIN_USER;
    dm.dmPrintQuality = dpi;
    dm.dmColor = DMCOLOR_COLOR;
    dm.dmDuplex = DMDUP_SIMPLEX;
    dm.dmYResolution = dpi;
    dm.dmTTOption = DMTT_BITMAP;
    CopyStr2Unicode(dm.dmFormName, "user size", CCHFORMNAME);
    dm.dmLogPixels = 500;
    dm.dmBitsPerPel = 256;
    dm.dmPelsWidth = static_cast<DWORD>((dpi * 5000 / 254 + 5) / 10);
    dm.dmPelsHeight = dm.dmPelsWidth;
    dm.dmDisplayFrequency = 60;

    SetDefaultPrinterSettings(&pdm->ps, baseDpi);
    return TRUE;
}

BOOL ValidateSetDevMode(DriverDevMode* pdm, const DEVMODEW* pdmIn) {
    if (pdmIn == nullptr) {
        return TRUE;
    }
    MergePublic(&pdm->dm, pdmIn);
    if (HasValidPrivatePart(pdmIn, pdm->dm.dmDriverExtra)) {
        std::memcpy(&pdm->ps, PrivatePart(pdmIn), sizeof pdm->ps);
    }
    SetDerivedFields(pdm);
    return TRUE;
}

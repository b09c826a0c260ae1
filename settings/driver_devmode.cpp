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

// A caller's DEVMODE and how many of its public bytes may be read: its dmSize, and never more
// than the buffer it arrived in.
struct CallerDevMode {
    const DEVMODEW* dm;
    size_t publicBytes;
};

struct FieldSpan {
    size_t offset;
    size_t size;
};

#define SPAN_OF(field)                                                                             \
    FieldSpan {                                                                                    \
        offsetof(DEVMODEW, field), sizeof(DEVMODEW::field)                                         \
    }
constexpr FieldSpan kFieldsSpan = SPAN_OF(dmFields);
constexpr FieldSpan kOrientationSpan = SPAN_OF(dmOrientation);
constexpr FieldSpan kPaperSizeSpan = SPAN_OF(dmPaperSize);
constexpr FieldSpan kPaperLengthSpan = SPAN_OF(dmPaperLength);
constexpr FieldSpan kPaperWidthSpan = SPAN_OF(dmPaperWidth);
constexpr FieldSpan kScaleSpan = SPAN_OF(dmScale);
constexpr FieldSpan kCopiesSpan = SPAN_OF(dmCopies);
constexpr FieldSpan kDefaultSourceSpan = SPAN_OF(dmDefaultSource);
constexpr FieldSpan kPrintQualitySpan = SPAN_OF(dmPrintQuality);
constexpr FieldSpan kYResolutionSpan = SPAN_OF(dmYResolution);
constexpr FieldSpan kFormNameSpan = SPAN_OF(dmFormName);
#undef SPAN_OF

inline bool Holds(const CallerDevMode& in, FieldSpan field) {
    return field.offset + field.size <= in.publicBytes;
}

// A bit of the caller's dmFields counts only when the field it announces lies in what may be
// read; a header too short for dmFields announces nothing.
inline bool Takes(const CallerDevMode& in, DWORD bit, FieldSpan field) {
    return Holds(in, kFieldsSpan) && (in.dm->dmFields & bit) != 0 && Holds(in, field);
}

void MergePaper(DEVMODEW* dm, const CallerDevMode& in) {
    const DEVMODEW* from = in.dm;
    if (Takes(in, DM_PAPERLENGTH, kPaperLengthSpan) && Takes(in, DM_PAPERWIDTH, kPaperWidthSpan) &&
        from->dmPaperWidth > 0 && from->dmPaperLength > 0) {
        // Only the bits matter: the sizes themselves follow the private record.
        dm->dmPaperLength = from->dmPaperLength;
        dm->dmPaperWidth = from->dmPaperWidth;
        dm->dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
    } else if (Takes(in, DM_FORMNAME, kFormNameSpan)) {
        CopyStringW(dm->dmFormName, from->dmFormName, CCHFORMNAME);
        dm->dmFields |= DM_FORMNAME;
    } else if (Takes(in, DM_PAPERSIZE, kPaperSizeSpan)) {
        dm->dmPaperSize = from->dmPaperSize;
        dm->dmFields |= DM_PAPERSIZE;
    }
}

void MergePublic(DEVMODEW* dm, const CallerDevMode& in) {
    const DEVMODEW* from = in.dm;
    if (Takes(in, DM_DEFAULTSOURCE, kDefaultSourceSpan)) {
        dm->dmFields |= DM_DEFAULTSOURCE;
        dm->dmDefaultSource = from->dmDefaultSource;
    }
    if (Takes(in, DM_ORIENTATION, kOrientationSpan)) {
        dm->dmFields |= DM_ORIENTATION;
        const bool known =
            from->dmOrientation == DMORIENT_PORTRAIT || from->dmOrientation == DMORIENT_LANDSCAPE;
        dm->dmOrientation = known ? from->dmOrientation : DMORIENT_PORTRAIT;
    }
    if (Takes(in, DM_YRESOLUTION, kYResolutionSpan) && Holds(in, kPrintQualitySpan)) {
        dm->dmFields |= DM_YRESOLUTION;
        dm->dmYResolution = from->dmYResolution;
        dm->dmPrintQuality = from->dmPrintQuality;
    }
    MergePaper(dm, in);
    if (Takes(in, DM_SCALE, kScaleSpan)) {
        dm->dmFields |= DM_SCALE;
        dm->dmScale = (from->dmScale >= 1 && from->dmScale <= 1000) ? from->dmScale : 100;
    }
    if (Takes(in, DM_COPIES, kCopiesSpan)) {
        dm->dmFields |= DM_COPIES;
        dm->dmCopies = (from->dmCopies >= 1 && from->dmCopies <= 99) ? from->dmCopies : 1;
    }
    dm->dmFields |= DM_COLOR;
    dm->dmColor = DMCOLOR_COLOR;
}

// The header fields that size a DEVMODE: without them nothing of it can be placed.
constexpr size_t kSizingHeader = offsetof(DEVMODEW, dmDriverExtra) + sizeof(WORD);

void Merge(DriverDevMode* pdm, const DEVMODEW* pdmIn, size_t available) {
    const bool sized = available >= kSizingHeader;
    const size_t publicBytes = !sized ? 0 : pdmIn->dmSize < available ? pdmIn->dmSize : available;
    MergePublic(&pdm->dm, CallerDevMode{pdmIn, publicBytes});
    if (sized && size_t{pdmIn->dmSize} + pdmIn->dmDriverExtra <= available &&
        HasValidPrivatePart(pdmIn, pdm->dm.dmDriverExtra)) {
        std::memcpy(&pdm->ps, PrivatePart(pdmIn), sizeof pdm->ps);
    }
    SetDerivedFields(pdm);
}

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
    dm.dmPelsWidth = static_cast<DWORD>(DotsOf(dpi, dm.dmPaperWidth));
    dm.dmPelsHeight = dm.dmPelsWidth;
    dm.dmDisplayFrequency = 60;

    SetDefaultPrinterSettings(&pdm->ps, baseDpi);
    return TRUE;
}

BOOL ValidateSetDevMode(DriverDevMode* pdm, const DEVMODEW* pdmIn) {
    if (pdmIn != nullptr) {
        // An application's DEVMODE is as large as its header says: that is the caller's contract.
        Merge(pdm, pdmIn, size_t{pdmIn->dmSize} + pdmIn->dmDriverExtra);
    }
    return TRUE;
}

BOOL ValidateSetDevModeWithin(DriverDevMode* pdm, const DEVMODEW* pdmIn, size_t available) {
    if (pdmIn != nullptr) {
        Merge(pdm, pdmIn, available);
    }
    return TRUE;
}

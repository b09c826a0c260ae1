#include "settings/devmode_convert.h"

#include <cstring>

const WORD psDriverVersions[4] = {kDriverVersion, kPrinterSettingsSize, 0x350, 8};

namespace {

constexpr WORD kOldPublicSize = 188;

// The header fields this module reads and writes end here; a DEVMODE that declares itself smaller
// cannot hold them.
constexpr WORD kHeaderEnd = offsetof(DEVMODEW, dmFields);

// Writes the layout fields of a DEVMODE header, which may lie unaligned in a caller's buffer.
void SetLayout(DEVMODEW* pdm, WORD specVersion, WORD size, WORD driverVersion, WORD extra) {
    auto* bytes = reinterpret_cast<BYTE*>(pdm);
    std::memcpy(bytes + offsetof(DEVMODEW, dmSpecVersion), &specVersion, sizeof specVersion);
    std::memcpy(bytes + offsetof(DEVMODEW, dmSize), &size, sizeof size);
    std::memcpy(bytes + offsetof(DEVMODEW, dmDriverVersion), &driverVersion, sizeof driverVersion);
    std::memcpy(bytes + offsetof(DEVMODEW, dmDriverExtra), &extra, sizeof extra);
}

LONG SizeOf(const DEVMODEW* pdm) {
    return LONG{pdm->dmSize} + pdm->dmDriverExtra;
}

} // namespace

WORD CheckDevmodeVersion(const DEVMODEW* pdm) {
    if (pdm == nullptr) {
        return 0;
    }
    switch (pdm->dmSize) {
    case 188:
        return 0x320;
    case 212:
        return 0x400;
    case 220:
        return 0x401;
    default:
        return pdm->dmSpecVersion;
    }
}

LONG ConvertDevmode(const DEVMODEW* pdmIn, DEVMODEW* pdmOut) {
    const WORD vIn = CheckDevmodeVersion(pdmIn);
    const WORD vOut = CheckDevmodeVersion(pdmOut);
    if (vIn == 0 || vOut == 0 || pdmIn->dmSize < kHeaderEnd || pdmOut->dmSize < kHeaderEnd) {
        return -1;
    }
    const WORD outSize = pdmOut->dmSize;
    const WORD outExtra = pdmOut->dmDriverExtra;
    const WORD outDriverVersion = pdmOut->dmDriverVersion;

    const WORD publicBytes = outSize < pdmIn->dmSize ? outSize : pdmIn->dmSize;
    std::memmove(pdmOut, pdmIn, publicBytes);
    SetLayout(pdmOut, vOut, outSize, outDriverVersion, outExtra);

    const WORD privateBytes = outExtra < pdmIn->dmDriverExtra ? outExtra : pdmIn->dmDriverExtra;
    std::memmove(PrivatePart(pdmOut), PrivatePart(pdmIn), privateBytes);
    return LONG{publicBytes} + privateBytes;
}

BOOL ConvertDevmodeOut(const DEVMODEW* pdmSrc, const DEVMODEW* pdmIn, DEVMODEW* pdmOut) {
    if (pdmIn == nullptr) {
        std::memmove(pdmOut, pdmSrc, static_cast<size_t>(SizeOf(pdmSrc)));
        return TRUE;
    }
    // A caller's layout too small for the header would have the header written past its end.
    if (pdmIn->dmSize < kHeaderEnd) {
        return FALSE;
    }
    const bool smallerPublic = pdmIn->dmSize < pdmSrc->dmSize;
    const bool smallerPrivate = pdmIn->dmDriverExtra < pdmSrc->dmDriverExtra;
    const DEVMODEW* publicFrom = smallerPublic ? pdmIn : pdmSrc;
    const DEVMODEW* privateFrom = smallerPrivate ? pdmIn : pdmSrc;
    SetLayout(pdmOut, publicFrom->dmSpecVersion, publicFrom->dmSize, privateFrom->dmDriverVersion,
              privateFrom->dmDriverExtra);
    return ConvertDevmode(pdmSrc, pdmOut) > 0;
}

int CommonDrvConvertDevmode(LPCWSTR, const DEVMODEW* pdmIn, DEVMODEW* pdmOut, LONG* pcbNeeded,
                            DWORD fMode, const WORD* v) {
    if (pcbNeeded == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    switch (fMode) {
    case CDM_CONVERT:
        if (pdmOut == nullptr || *pcbNeeded < SizeOf(pdmOut) ||
            ConvertDevmode(pdmIn, pdmOut) <= 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        *pcbNeeded = SizeOf(pdmOut);
        return 1;
    case CDM_CONVERT351: {
        const LONG need = kOldPublicSize + v[3];
        if (pdmOut == nullptr || *pcbNeeded < need) {
            *pcbNeeded = need;
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        SetLayout(pdmOut, 0x320, kOldPublicSize, v[2], v[3]);
        if (ConvertDevmode(pdmIn, pdmOut) <= 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        *pcbNeeded = need;
        return 1;
    }
    case CDM_DRIVER_DEFAULT: {
        const LONG need = kPublicDevModeSize + v[1];
        if (pdmOut == nullptr || *pcbNeeded < need) {
            *pcbNeeded = need;
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return 0;
        }
        *pcbNeeded = need;
        return 2;
    }
    default:
        return 2;
    }
}

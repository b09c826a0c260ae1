#include "tools/vorikactl/devmode_print.h"

#include <winspool.h> // the registry types of printer data

#include <cstddef>
#include <cstring>

namespace {

enum class Kind { Text, Signed, Unsigned, Hex };

struct PublicField {
    const char* name;
    size_t offset;
    size_t size;
    Kind kind;
};

#define PUBLIC(field, kind)                                                                        \
    PublicField {                                                                                  \
#field, offsetof(DEVMODEW, field), sizeof(DEVMODEW::field), kind                           \
    }

// Printer fields only: the display variants of the unions mean nothing to a printer driver.
constexpr PublicField kPublicFields[] = {
    PUBLIC(dmDeviceName, Kind::Text),       PUBLIC(dmSpecVersion, Kind::Hex),
    PUBLIC(dmDriverVersion, Kind::Hex),     PUBLIC(dmSize, Kind::Unsigned),
    PUBLIC(dmDriverExtra, Kind::Unsigned),  PUBLIC(dmFields, Kind::Hex),
    PUBLIC(dmOrientation, Kind::Signed),    PUBLIC(dmPaperSize, Kind::Signed),
    PUBLIC(dmPaperLength, Kind::Signed),    PUBLIC(dmPaperWidth, Kind::Signed),
    PUBLIC(dmScale, Kind::Signed),          PUBLIC(dmCopies, Kind::Signed),
    PUBLIC(dmDefaultSource, Kind::Signed),  PUBLIC(dmPrintQuality, Kind::Signed),
    PUBLIC(dmColor, Kind::Signed),          PUBLIC(dmDuplex, Kind::Signed),
    PUBLIC(dmYResolution, Kind::Signed),    PUBLIC(dmTTOption, Kind::Signed),
    PUBLIC(dmCollate, Kind::Signed),        PUBLIC(dmFormName, Kind::Text),
    PUBLIC(dmLogPixels, Kind::Unsigned),    PUBLIC(dmBitsPerPel, Kind::Unsigned),
    PUBLIC(dmPelsWidth, Kind::Unsigned),    PUBLIC(dmPelsHeight, Kind::Unsigned),
    PUBLIC(dmDisplayFlags, Kind::Unsigned), PUBLIC(dmDisplayFrequency, Kind::Unsigned),
    PUBLIC(dmICMMethod, Kind::Unsigned),    PUBLIC(dmICMIntent, Kind::Unsigned),
    PUBLIC(dmMediaType, Kind::Unsigned),    PUBLIC(dmDitherType, Kind::Unsigned),
    PUBLIC(dmReserved1, Kind::Unsigned),    PUBLIC(dmReserved2, Kind::Unsigned),
    PUBLIC(dmPanningWidth, Kind::Unsigned), PUBLIC(dmPanningHeight, Kind::Unsigned),
};

#undef PUBLIC

int64_t ReadInteger(const BYTE* at, size_t size, bool isSigned) {
    uint32_t bits = 0;
    for (size_t i = 0; i < size; ++i) {
        bits |= uint32_t{at[i]} << (8 * i);
    }
    if (!isSigned) {
        return bits;
    }
    return size == 2 ? int64_t{static_cast<int16_t>(bits)} : int64_t{static_cast<int32_t>(bits)};
}

void PrintQuoted(FILE* out, const WCHAR* text, int capacity) {
    int length = 0;
    while (length < capacity && text[length] != 0) {
        ++length;
    }
    std::fputc('"', out);
    PrintWide(out, text, length);
    std::fputc('"', out);
}

} // namespace

void PrintWide(FILE* out, LPCWSTR text, int length) {
    // UTF-16 to UTF-8 by hand: the console tool must not depend on the console's code page.
    for (int i = 0; length < 0 ? text[i] != 0 : i < length; ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && (length < 0 || i + 1 < length) && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            std::fputc(static_cast<int>(c), out);
        } else if (c < 0x800) {
            std::fprintf(out, "%c%c", 0xC0 | (c >> 6), 0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            std::fprintf(out, "%c%c%c", 0xE0 | (c >> 12), 0x80 | ((c >> 6) & 0x3F),
                         0x80 | (c & 0x3F));
        } else {
            std::fprintf(out, "%c%c%c%c", 0xF0 | (c >> 18), 0x80 | ((c >> 12) & 0x3F),
                         0x80 | ((c >> 6) & 0x3F), 0x80 | (c & 0x3F));
        }
    }
}

void PrintPublicPart(FILE* out, const DEVMODEW& dm, size_t size) {
    const auto* base = reinterpret_cast<const BYTE*>(&dm);
    for (const PublicField& f : kPublicFields) {
        if (f.offset + f.size > size) {
            continue;
        }
        std::fprintf(out, "  %4zu  %-20s ", f.offset, f.name);
        const BYTE* at = base + f.offset;
        switch (f.kind) {
        case Kind::Text:
            PrintQuoted(out, reinterpret_cast<const WCHAR*>(at),
                        static_cast<int>(f.size / sizeof(WCHAR)));
            break;
        case Kind::Hex:
            std::fprintf(out, "0x%llX", static_cast<long long>(ReadInteger(at, f.size, false)));
            break;
        default:
            std::fprintf(out, "%lld",
                         static_cast<long long>(ReadInteger(at, f.size, f.kind == Kind::Signed)));
            break;
        }
        std::fputc('\n', out);
    }
}

void PrintPrivatePart(FILE* out, const PrinterSettings& ps, WORD base) {
    for (const SettingsField& f : kSettingsFields) {
        std::fprintf(out, "  %4u  ", static_cast<unsigned>(base + f.offset));
        const int nameLength = lstrlenW(f.name);
        PrintWide(out, f.name);
        std::fprintf(out, "%*s %lld", 20 - nameLength, "",
                     static_cast<long long>(GetFieldValue(ps, f)));
        if (f.offset == offsetof(PrinterSettings, dwPrivData)) {
            std::fprintf(out, " (0x%08X)", static_cast<unsigned>(ps.dwPrivData));
        }
        std::fputc('\n', out);
    }
}

void PrintMaterialSets(FILE* out, const PrinterSettings& ps, WORD base) {
    const struct {
        const char* title;
        const MaterialSet& set;
        size_t offset;
    } sets[] = {{"text", ps.TextSet, offsetof(PrinterSettings, TextSet)},
                {"photo", ps.PhotoSet, offsetof(PrinterSettings, PhotoSet)}};
    for (const auto& s : sets) {
        std::fprintf(out, "  %s material set at %zu:\n", s.title, base + s.offset);
        std::fprintf(out, "    idx  impact-min  impact-max  speed  reserved  name\n");
        for (int i = 0; i < kMaterialCount; ++i) {
            const MaterialEntry& e = s.set.Entry[i];
            std::fprintf(out, "    %3d  %10ld  %10ld  %5ld  %8ld  ", i,
                         static_cast<long>(e.ImpactMin), static_cast<long>(e.ImpactMax),
                         static_cast<long>(e.Speed), static_cast<long>(e.Reserved));
            PrintQuoted(out, e.Name, 32);
            std::fputc('\n', out);
        }
    }
}

namespace {

void PrintBytes(FILE* out, const BYTE* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        std::fprintf(out, "%s%02X", i % 16 == 0 ? "\n    " : " ", bytes[i]);
    }
    std::fputc('\n', out);
}

const SettingsField* FindSettingsField(LPCWSTR name) {
    for (const SettingsField& f : kSettingsFields) {
        if (lstrcmpW(f.name, name) == 0) {
            return &f;
        }
    }
    return nullptr;
}

const char* RegistryTypeName(DWORD type) {
    switch (type) {
    case REG_SZ:
        return "REG_SZ";
    case REG_BINARY:
        return "REG_BINARY";
    case REG_DWORD:
        return "REG_DWORD";
    default:
        return "type";
    }
}

} // namespace

void PrintDevMode(FILE* out, const DEVMODEW* dm, size_t available) {
    constexpr size_t kSizingHeader = offsetof(DEVMODEW, dmDriverExtra) + sizeof(WORD);
    if (available < kSizingHeader) {
        std::fprintf(out, " only %zu bytes: too short for a DEVMODE header\n", available);
        return;
    }
    const size_t publicSize = dm->dmSize;
    const size_t privateSize = dm->dmDriverExtra;
    std::fprintf(out, " %zu public + %zu private bytes", publicSize, privateSize);
    if (publicSize + privateSize > available) {
        std::fprintf(out, " claimed, but only %zu bytes are there", available);
    }
    std::fputs(", public part:\n", out);
    PrintPublicPart(out, *dm, publicSize < available ? publicSize : available);
    if (privateSize == 0) {
        std::fputs(" no private part\n", out);
        return;
    }
    const auto* privatePart = reinterpret_cast<const BYTE*>(dm) + publicSize;
    if (publicSize + privateSize > available) {
        const size_t present = publicSize < available ? available - publicSize : 0;
        std::fprintf(out, " private part, cut to the %zu bytes there:", present);
        PrintBytes(out, privatePart, present);
        return;
    }
    if (privateSize != sizeof(PrinterSettings)) {
        std::fputs(" private part, not this driver's size:", out);
        PrintBytes(out, privatePart, privateSize);
        return;
    }
    PrinterSettings ps;
    std::memcpy(&ps, privatePart, sizeof ps);
    std::fputs(" private part:\n", out);
    PrintPrivatePart(out, ps, dm->dmSize);
    PrintMaterialSets(out, ps, dm->dmSize);
}

void PrintSettingsRecord(FILE* out, const BYTE* bytes, size_t size) {
    if (size != sizeof(PrinterSettings)) {
        std::fprintf(out, "  %zu bytes, not a settings record:", size);
        PrintBytes(out, bytes, size);
        return;
    }
    PrinterSettings ps;
    std::memcpy(&ps, bytes, sizeof ps);
    PrintPrivatePart(out, ps, 0);
    PrintMaterialSets(out, ps, 0);
}

void PrintStoredValue(FILE* out, LPCWSTR name, DWORD type, const BYTE* bytes, size_t size) {
    std::fputs("  ", out);
    PrintWide(out, name);
    std::fprintf(out, "%*s %-10s %3zu bytes ", 24 - lstrlenW(name), "", RegistryTypeName(type),
                 size);
    const SettingsField* field = FindSettingsField(name);
    if (field != nullptr && size == field->size) {
        PrinterSettings ps{};
        std::memcpy(reinterpret_cast<BYTE*>(&ps) + field->offset, bytes, size);
        std::fprintf(out, " %lld\n", static_cast<long long>(GetFieldValue(ps, *field)));
    } else if (type == REG_DWORD && size == 4) {
        DWORD value;
        std::memcpy(&value, bytes, sizeof value);
        std::fprintf(out, " %lu\n", static_cast<unsigned long>(value));
    } else {
        PrintBytes(out, bytes, size);
    }
}

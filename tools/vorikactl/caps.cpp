#include "tools/vorikactl/caps.h"
#include "tools/vorikactl/devmode_print.h"
#include "tools/vorikactl/spooler.h"

#include <cstdio>
#include <cstring>

namespace {

// How the entries a capability writes are laid out.
enum class Output { None, Words, Points, Pairs, Names24, Names64 };

struct Capability {
    WORD number;
    const char* name;
    Output output;
};

constexpr Capability kCapabilities[] = {
    {DC_FIELDS, "DC_FIELDS", Output::None},
    {DC_PAPERS, "DC_PAPERS", Output::Words},
    {DC_PAPERSIZE, "DC_PAPERSIZE", Output::Points},
    {DC_MINEXTENT, "DC_MINEXTENT", Output::None},
    {DC_MAXEXTENT, "DC_MAXEXTENT", Output::None},
    {DC_BINS, "DC_BINS", Output::Words},
    {DC_DUPLEX, "DC_DUPLEX", Output::None},
    {DC_SIZE, "DC_SIZE", Output::None},
    {DC_EXTRA, "DC_EXTRA", Output::None},
    {DC_VERSION, "DC_VERSION", Output::None},
    {DC_DRIVER, "DC_DRIVER", Output::None},
    {DC_BINNAMES, "DC_BINNAMES", Output::Names24},
    {DC_ENUMRESOLUTIONS, "DC_ENUMRESOLUTIONS", Output::Pairs},
    {DC_FILEDEPENDENCIES, "DC_FILEDEPENDENCIES", Output::Names64},
    {DC_TRUETYPE, "DC_TRUETYPE", Output::None},
    {DC_PAPERNAMES, "DC_PAPERNAMES", Output::Names64},
    {DC_ORIENTATION, "DC_ORIENTATION", Output::None},
    {DC_COPIES, "DC_COPIES", Output::None},
};

struct FieldBit {
    DWORD bit;
    const char* name;
};

constexpr FieldBit kFieldBits[] = {
    {DM_ORIENTATION, "DM_ORIENTATION"},
    {DM_PAPERSIZE, "DM_PAPERSIZE"},
    {DM_PAPERLENGTH, "DM_PAPERLENGTH"},
    {DM_PAPERWIDTH, "DM_PAPERWIDTH"},
    {DM_SCALE, "DM_SCALE"},
    {DM_COPIES, "DM_COPIES"},
    {DM_DEFAULTSOURCE, "DM_DEFAULTSOURCE"},
    {DM_PRINTQUALITY, "DM_PRINTQUALITY"},
    {DM_COLOR, "DM_COLOR"},
    {DM_DUPLEX, "DM_DUPLEX"},
    {DM_YRESOLUTION, "DM_YRESOLUTION"},
    {DM_TTOPTION, "DM_TTOPTION"},
    {DM_COLLATE, "DM_COLLATE"},
    {DM_FORMNAME, "DM_FORMNAME"},
};

size_t EntrySize(Output output) {
    switch (output) {
    case Output::Words:
        return sizeof(WORD);
    case Output::Points:
    case Output::Pairs:
        return 2 * sizeof(LONG);
    case Output::Names24:
        return 24 * sizeof(WCHAR);
    case Output::Names64:
        return 64 * sizeof(WCHAR);
    default:
        return 0;
    }
}

template <typename T> T Read(const std::vector<BYTE>& bytes, size_t index) {
    T value;
    std::memcpy(&value, bytes.data() + index * sizeof(T), sizeof(T));
    return value;
}

void PrintName(const std::vector<BYTE>& bytes, size_t index, int width) {
    const auto* name = reinterpret_cast<const WCHAR*>(bytes.data()) + index * width;
    int length = 0;
    while (length < width && name[length] != 0) {
        ++length;
    }
    std::fputs(" \"", stdout);
    PrintWide(stdout, name, length);
    std::fputc('"', stdout);
}

void PrintEntries(Output output, const std::vector<BYTE>& bytes, int count) {
    for (int i = 0; i < count; ++i) {
        switch (output) {
        case Output::Words:
            std::printf(" %u", static_cast<unsigned>(Read<WORD>(bytes, i)));
            break;
        case Output::Points:
            std::printf(" %ld x %ld (0.1 mm)", static_cast<long>(Read<LONG>(bytes, 2 * i)),
                        static_cast<long>(Read<LONG>(bytes, 2 * i + 1)));
            break;
        case Output::Pairs:
            std::printf(" %ldx%ld", static_cast<long>(Read<LONG>(bytes, 2 * i)),
                        static_cast<long>(Read<LONG>(bytes, 2 * i + 1)));
            break;
        case Output::Names24:
            PrintName(bytes, i, 24);
            break;
        case Output::Names64:
            PrintName(bytes, i, 64);
            break;
        default:
            break;
        }
    }
}

void PrintFieldBits(DWORD fields) {
    for (const FieldBit& f : kFieldBits) {
        if ((fields & f.bit) != 0) {
            std::printf(" %s", f.name);
        }
    }
}

// What the answer alone says, for the capabilities that write nothing.
void PrintAnswer(WORD number, int answer) {
    const auto bits = static_cast<DWORD>(answer);
    switch (number) {
    case DC_FIELDS:
        std::printf(" = 0x%lX:", static_cast<unsigned long>(bits));
        PrintFieldBits(bits);
        break;
    case DC_MINEXTENT:
    case DC_MAXEXTENT:
        std::printf(" = 0x%08lX: x %u, y %u (0.1 mm)", static_cast<unsigned long>(bits),
                    static_cast<unsigned>(LOWORD(bits)), static_cast<unsigned>(HIWORD(bits)));
        break;
    case DC_VERSION:
    case DC_DRIVER:
        std::printf(" = 0x%lX", static_cast<unsigned long>(bits));
        break;
    case DC_TRUETYPE:
        std::printf("%s%s%s", (bits & DCTT_BITMAP) != 0 ? " DCTT_BITMAP" : "",
                    (bits & DCTT_DOWNLOAD) != 0 ? " DCTT_DOWNLOAD" : "",
                    (bits & DCTT_SUBDEV) != 0 ? " DCTT_SUBDEV" : "");
        break;
    case DC_ORIENTATION:
        std::printf(" (degrees of landscape rotation%s)", answer == 0 ? ": no landscape" : "");
        break;
    default:
        break;
    }
}

// Asks once for the count, then again with a buffer for the entries.
void ShowCapability(LPCWSTR printerName, LPCWSTR port, const Capability& cap) {
    const int answer = DeviceCapabilitiesW(printerName, port, cap.number, nullptr, nullptr);
    std::printf("  %2u %-20s %d", static_cast<unsigned>(cap.number), cap.name, answer);
    const size_t entrySize = EntrySize(cap.output);
    if (entrySize == 0 || answer < 0) {
        PrintAnswer(cap.number, answer);
        std::putchar('\n');
        return;
    }
    // One entry more than announced: a capability with no entries may still end its list.
    std::vector<BYTE> bytes((answer + 1) * entrySize);
    const int again = DeviceCapabilitiesW(printerName, port, cap.number,
                                          reinterpret_cast<LPWSTR>(bytes.data()), nullptr);
    std::fputs(":", stdout);
    PrintEntries(cap.output, bytes, again > 0 ? again : 0);
    std::putchar('\n');
}

} // namespace

int Caps(LPCWSTR printerName) {
    if (!CheckPrinterAndDriver(printerName)) {
        return 1;
    }
    PrinterHandle printer(printerName);
    const std::vector<BYTE> info = ReadPrinterInfo2(printer.get());
    LPCWSTR port =
        info.empty() ? L"" : reinterpret_cast<const PRINTER_INFO_2W*>(info.data())->pPortName;
    std::fputs("DeviceCapabilitiesW of printer \"", stdout);
    PrintWide(stdout, printerName);
    std::puts("\", no DEVMODE:");
    for (const Capability& cap : kCapabilities) {
        ShowCapability(printerName, port, cap);
    }
    return 0;
}

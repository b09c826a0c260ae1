// The tool's listings: every field at its offset with its value read by its type, the material
// sets as a table, stored values by their name; a DEVMODE read only as far as the bytes it was
// handed, whatever its header claims (a technician inspects damaged and foreign data with it).
#include "tools/vorikactl/devmode_print.h"

#include "settings/wide_strings.h"
#include "tests/support/devmode_bytes.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <functional>
#include <tuple>

namespace {

using namespace testdm;

// What a listing writes, behind a line break of its own so that every line starts after one.
std::string Listed(const std::function<void(FILE*)>& print) {
    char* text = nullptr;
    size_t length = 0;
    FILE* out = open_memstream(&text, &length);
    print(out);
    std::fclose(out);
    const std::string listing = "\n" + std::string(text, length);
    std::free(text);
    return listing;
}

// A heap block of exactly the first `size` bytes of `dm`, so that a read past them is caught.
std::string Listing(const DriverDevMode& dm, size_t size) {
    const Bytes bytes = Slice(&dm, 0, size);
    return Listed([&](FILE* out) {
        PrintDevMode(out, reinterpret_cast<const DEVMODEW*>(bytes.data()), size);
    });
}

// The listing holds these whole lines.
bool Has(const std::string& listing, const std::string& lines) {
    return listing.find("\n" + lines + "\n") != std::string::npos;
}

// The KLV-20 defaults with values that tell signed from unsigned and one name in every UTF-8
// length: e-acute, a CJK character and one beyond 16 bits.
DriverDevMode Known() {
    DriverDevMode dm = Defaults(kKlv20);
    dm.dm.dmPaperWidth = -7, dm.dm.dmPelsWidth = 0xFFFFFFFF;
    dm.ps.OffsetY = -12, dm.ps.CmpMode = 200, dm.ps.Front = -3, dm.ps.PhotoSet.Entry[8].Speed = -15;
    CopyStringW(dm.ps.PhotoSet.Entry[8].Name, TEXT("\u00e9\u65e5\U0001F600"), 32);
    return dm;
}

TEST(DevModeListing, EveryFieldAtItsOffsetReadByItsType) {
    const std::string listing = Listing(Known(), sizeof(DriverDevMode));
    for (const char* line : {
             " 220 public + 1536 private bytes, public part:",
             "     0  dmDeviceName         \"Velmar VORIKA KLV-20\"",
             "    72  dmFields             0x6C0E",
             "    82  dmPaperWidth         -7",
             "   172  dmPelsWidth          4294967295",
             "   230  OffsetY              -12",
             "   266  CmpMode              200",
             "   272  Front                -3",
             "  1744  dwPrivData           1447645776 (0x56495250)",
             "  photo material set at 1008:\n    idx  impact-min  impact-max  speed  reserved  "
             "name",
             "      8         600         950    -15         0  "
             "\"\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80\"",
         }) {
        EXPECT_TRUE(Has(listing, line)) << line;
    }
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 1 + 1 + 34 + 1 + 40 + 2 * 11)
        << "one line per field and preset";
}

// Cut or foreign DEVMODEs: what the header claims, then only what is there.
TEST(DevModeListing, SaysWhatDoesNotFitAndShowsOnlyWhatIsThere) {
    const DriverDevMode known = Known();
    DriverDevMode foreign = known, publicOnly = known;
    foreign.dm.dmDriverExtra = 3, publicOnly.dm.dmDriverExtra = 0;
    const std::tuple<const DriverDevMode&, size_t, const char*, int> cases[] = {
        {known, 300, " 220 public + 1536 private bytes claimed, but only 300 bytes are there", 41},
        {known, 300, " private part, cut to the 80 bytes there:\n    F4 01 F4 01 01 00", 41},
        {known, 100,
         "    98  dmTTOption           1\n private part, cut to the 0 bytes there:", 20},
        {known, 71, " only 71 bytes: too short for a DEVMODE header", 1},
        {foreign, 223, " private part, not this driver's size:\n    F4 01 F4", 37},
        {publicOnly, 220, "   216  dmPanningHeight      0\n no private part", 36},
    };
    for (const auto& [dm, size, lines, count] : cases) {
        const std::string listing = Listing(dm, size);
        EXPECT_NE(listing.find(lines), std::string::npos) << size << ": " << lines;
        EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 1 + count) << size;
    }
}

// A stored record decoded whole or shown as bytes; a stored value decoded by its field's name and
// size, a DWORD as a number, anything else as bytes.
TEST(StoredListing, RecordsAndValuesByTheirNameAndSize) {
    const DriverDevMode dm = Known();
    const BYTE width[] = {0xD0, 0x02, 0, 0}, dword[] = {1, 0, 0, 0};
    const auto value = [&](LPCWSTR name, DWORD type, const BYTE* bytes, size_t size) {
        return Listed([&](FILE* out) { PrintStoredValue(out, name, type, bytes, size); });
    };
    const auto record = [&](const BYTE* bytes, size_t size) {
        return Listed([&](FILE* out) { PrintSettingsRecord(out, bytes, size); });
    };
    const std::pair<std::string, const char*> cases[] = {
        {record(reinterpret_cast<const BYTE*>(&dm.ps), 1536), "     0  UserDefinedX         500"},
        {record(width, 2), "  2 bytes, not a settings record:\n    D0 02"},
        {value(TEXT("UserDefinedX"), REG_BINARY, width, 2),
         "  UserDefinedX             REG_BINARY   2 bytes  720"},
        {value(TEXT("UserDefinedX"), REG_BINARY, width, 4),
         "  UserDefinedX             REG_BINARY   4 bytes \n    D0 02 00 00"},
        {value(TEXT("Permission"), REG_DWORD, dword, 4),
         "  Permission               REG_DWORD    4 bytes  1"},
    };
    for (const auto& [listing, lines] : cases) {
        EXPECT_TRUE(Has(listing, lines)) << lines;
    }
}

} // namespace

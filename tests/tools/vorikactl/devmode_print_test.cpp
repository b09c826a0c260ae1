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
#include <sstream>

namespace {

using namespace testdm;

// The lines a listing writes.
std::vector<std::string> Lines(const std::function<void(FILE*)>& print) {
    char* text = nullptr;
    size_t length = 0;
    FILE* out = open_memstream(&text, &length);
    print(out);
    std::fclose(out);
    std::istringstream in(std::string(text, length));
    std::free(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// A heap block of exactly the first `size` bytes of `dm`, so that a read past them is caught.
std::vector<std::string> Listing(const DriverDevMode& dm, size_t size) {
    const Bytes bytes = Slice(&dm, 0, size);
    return Lines([&](FILE* out) {
        PrintDevMode(out, reinterpret_cast<const DEVMODEW*>(bytes.data()), size);
    });
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The KLV-20 defaults with values that tell signed from unsigned and one name in every UTF-8
// length: e-acute, a CJK character and one beyond 16 bits.
DriverDevMode Known() {
    DriverDevMode dm = Defaults(kKlv20);
    dm.dm.dmPaperWidth = -7;
    dm.dm.dmPelsWidth = 0xFFFFFFFF;
    dm.ps.OffsetY = -12;
    dm.ps.CmpMode = 200;
    dm.ps.Front = -3;
    CopyStringW(dm.ps.PhotoSet.Entry[8].Name, TEXT("\u00e9\u65e5\U0001F600"), 32);
    dm.ps.PhotoSet.Entry[8].Speed = -15;
    return dm;
}

TEST(DevModeListing, EveryFieldAtItsOffsetReadByItsType) {
    const std::vector<std::string> lines = Listing(Known(), sizeof(DriverDevMode));
    for (const char* line : {
             " 220 public + 1536 private bytes, public part:",
             "     0  dmDeviceName         \"Velmar VORIKA KLV-20\"",
             "    64  dmSpecVersion        0x401",
             "    68  dmSize               220",
             "    72  dmFields             0x6C0E",
             "    82  dmPaperWidth         -7",
             "   102  dmFormName           \"user size\"",
             "   172  dmPelsWidth          4294967295",
             "   216  dmPanningHeight      0",
             " private part:",
             "   220  UserDefinedX         500",
             "   230  OffsetY              -12",
             "   266  CmpMode              200",
             "   272  Front                -3",
             "   286  BaseDpi              1016",
             "  1744  dwPrivData           1447645776 (0x56495250)",
             "  1752  wOutFlags            1991",
             "  text material set at 288:",
             "    idx  impact-min  impact-max  speed  reserved  name",
             "      0         640         840     12         0  \"\"",
             "  photo material set at 1008:",
             "      8         600         950    -15         0  "
             "\"\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80\"",
         }) {
        EXPECT_TRUE(Has(lines, line)) << line;
    }
    EXPECT_EQ(lines.size(), 1u + 34 + 1 + 40 + 2 * 11) << "one line per field and preset";
}

// Cut or foreign DEVMODEs: what the header claims, then only what is there.
TEST(DevModeListing, SaysWhatDoesNotFitAndShowsOnlyWhatIsThere) {
    DriverDevMode foreign = Known();
    foreign.dm.dmDriverExtra = 3;
    DriverDevMode publicOnly = Known();
    publicOnly.dm.dmDriverExtra = 0;
    const struct {
        const DriverDevMode& dm;
        size_t size;
        std::vector<std::string> lines;
        size_t count;
    } cases[] = {
        {Known(),
         300,
         {" 220 public + 1536 private bytes claimed, but only 300 bytes are there, public part:",
          " private part, cut to the 80 bytes there:",
          "    F4 01 F4 01 01 00 00 00 00 00 F4 FF F4 01 F4 01"},
         1 + 34 + 1 + 5},
        {Known(), 100, {"    98  dmTTOption           1"}, 1 + 18 + 1},
        {Known(), 73, {"    70  dmDriverExtra        1536"}, 1 + 5 + 1},
        {Known(), 71, {" only 71 bytes: too short for a DEVMODE header"}, 1},
        {foreign, 223, {" private part, not this driver's size:", "    F4 01 F4"}, 1 + 34 + 2},
        {publicOnly, 220, {" no private part"}, 1 + 34 + 1},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines = Listing(c.dm, c.size);
        for (const std::string& line : c.lines) {
            EXPECT_TRUE(Has(lines, line)) << c.size << ": " << line;
        }
        EXPECT_EQ(lines.size(), c.count) << c.size;
    }
}

// A stored record decoded whole or shown as bytes; a stored value decoded by its field's name and
// size, a DWORD as a number, anything else as bytes.
TEST(StoredListing, RecordsAndValuesByTheirNameAndSize) {
    const DriverDevMode dm = Known();
    const BYTE width[] = {0xD0, 0x02}, wide[] = {0xD0, 0x02, 0, 0}, dword[] = {1, 0, 0, 0};
    const struct {
        std::function<void(FILE*)> print;
        std::vector<std::string> lines;
    } cases[] = {
        {[&](FILE* out) { PrintSettingsRecord(out, reinterpret_cast<const BYTE*>(&dm.ps), 1536); },
         {"     0  UserDefinedX         500",
          "  1524  dwPrivData           1447645776 (0x56495250)", "  text material set at 68:"}},
        {[&](FILE* out) { PrintSettingsRecord(out, width, 2); },
         {"  2 bytes, not a settings record:", "    D0 02"}},
        {[&](FILE* out) { PrintStoredValue(out, TEXT("UserDefinedX"), REG_BINARY, width, 2); },
         {"  UserDefinedX             REG_BINARY   2 bytes  720"}},
        {[&](FILE* out) { PrintStoredValue(out, TEXT("UserDefinedX"), REG_BINARY, wide, 4); },
         {"  UserDefinedX             REG_BINARY   4 bytes ", "    D0 02 00 00"}},
        {[&](FILE* out) { PrintStoredValue(out, TEXT("Permission"), REG_DWORD, dword, 4); },
         {"  Permission               REG_DWORD    4 bytes  1"}},
        {[&](FILE* out) { PrintStoredValue(out, TEXT("Other"), REG_SZ, dword, 4); },
         {"  Other                    REG_SZ       4 bytes ", "    01 00 00 00"}},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines = Lines(c.print);
        for (const std::string& line : c.lines) {
            EXPECT_TRUE(Has(lines, line)) << line;
        }
    }
}

} // namespace

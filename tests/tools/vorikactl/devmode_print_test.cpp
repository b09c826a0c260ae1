// The tool's DEVMODE listing reads a DEVMODE only as far as the bytes it was handed, whatever
// its header claims: a technician inspects damaged and foreign data with it.
#include "tools/vorikactl/devmode_print.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Listing(const std::vector<BYTE>& bytes) {
    char* text = nullptr;
    size_t length = 0;
    FILE* out = open_memstream(&text, &length);
    PrintDevMode(out, reinterpret_cast<const DEVMODEW*>(bytes.data()), bytes.size());
    std::fclose(out);
    std::string listing(text, length);
    std::free(text);
    return listing;
}

// A heap block of exactly the bytes given, so that a read past them is caught.
std::vector<BYTE> DriverDevModeCutTo(size_t size) {
    DriverDevMode dm;
    SetDefaultDevMode(&dm, TEXT("Velmar VORIKA KLV-20"));
    const auto* bytes = reinterpret_cast<const BYTE*>(&dm);
    return {bytes, bytes + size};
}

TEST(DevModeListing, SaysWhatDoesNotFitAndShowsOnlyWhatIsThere) {
    const std::string cut = Listing(DriverDevModeCutTo(300));
    EXPECT_NE(cut.find("220 public + 1536 private bytes claimed, but only 300 bytes are there"),
              std::string::npos)
        << cut;
    EXPECT_NE(cut.find("cut to the 80 bytes there"), std::string::npos) << cut;

    const std::string header = Listing(DriverDevModeCutTo(100));
    EXPECT_NE(header.find("dmFields"), std::string::npos) << header;
    EXPECT_EQ(header.find("dmFormName"), std::string::npos) << header;

    EXPECT_NE(Listing(DriverDevModeCutTo(60)).find("too short"), std::string::npos);

    const std::string whole = Listing(DriverDevModeCutTo(sizeof(DriverDevMode)));
    EXPECT_EQ(whole.find("claimed"), std::string::npos) << whole;
    EXPECT_NE(whole.find("UserDefinedX"), std::string::npos) << whole;
}

} // namespace

// vorikactl testprint run as a technician's script runs it: its exit status, its one line (in
// text mode, ended by CR LF), and the bytes that reach the printer's port.
#ifdef _WIN32
#include "tests/support/test_printer.h"
#include "tests/tools/vorikactl/run_vorikactl.h"

#include <gtest/gtest.h>

TEST(VorikactlTestPrint, SendsTheModelsJobAndSaysSoOrWhyNot) {
    TestPrinter klv30(L"Velmar VORIKA KLV-30");
    const std::wstring name = klv30.name();
    std::string output;
    EXPECT_EQ(Vorikactl(L"testprint \"" + name + L"\" --pattern -1", &output), 0u);
    EXPECT_EQ(output, "test print -1 sent to \"" + std::string(name.begin(), name.end()) +
                          "\": 31 bytes written\r\n");
    EXPECT_EQ(klv30.Output(), "\x1b%-12345X\n@PJL DO TESTPRINT=-1\n");
    EXPECT_EQ(Vorikactl(L"testprint \"" + name + L"\"", &output), 0u); // the page's main test print
    EXPECT_EQ(klv30.Output(), "\x1b%-12345X\n@PJL DO TESTPRINT=2\n");

    output.clear();
    EXPECT_EQ(Vorikactl(L"testprint \"VORIKA no such printer\"", &output), 1u);
    EXPECT_EQ(output.rfind("vorikactl: no printer named \"VORIKA no such printer\" (error ", 0), 0u)
        << output;
    EXPECT_EQ(Vorikactl(L"testprint P --pattern 2147483648", &output), 2u); // beyond 32 bits: usage
}
#endif

// The built vorikactl run as a technician's script runs it: settings export and import between
// two printers through the real profile functions, and the test print, whose bytes reach the
// printer's port. Each says in one line (text mode, ended by CR LF) what it did or why not.
#include "settings/printer_data.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/run_vorikactl.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The stored width and the speed of text preset 5, as a loaded record holds them.
std::pair<SHORT, LONG> Stored(const TestPrinter& printer) {
    const PrinterSettings ps = testdm::StoredSettings(printer.handle(), printer.model());
    return {ps.UserDefinedX, ps.TextSet.Entry[5].Speed};
}

TEST(VorikactlSettings, ExportFromOnePrinterImportsIntoAnother) {
    const std::wstring file = L"\"" VORIKA_JOB_DIR L"/exported-settings.txt\"";
    DeleteFileW(L"" VORIKA_JOB_DIR L"/exported-settings.txt");
    std::string output;
    {
        TestPrinter source(testdm::kKlv20);
        PrinterSettings ps;
        SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
        ps.UserDefinedX = 432;
        ps.TextSet.Entry[5].Speed = 7;
        ASSERT_EQ(SavePrinterProperties(source.handle(), &ps, sizeof ps), 1u);
        EXPECT_EQ(
            Vorikactl(L"settings export \"" + std::wstring(source.name()) + L"\" " + file, &output),
            0u)
            << output;
    }
    TestPrinter target(testdm::kKlv20);
    const std::wstring import = L"settings import \"" + std::wstring(target.name()) + L"\" ";
    EXPECT_EQ(Vorikactl(import + file, &output), 0u) << output;
    EXPECT_EQ(Stored(target), (std::pair<SHORT, LONG>{432, 7}));

    // A wrong version or no file: nothing is stored, one line says why.
    WritePrivateProfileStringW(L"Velmar VORIKA Driver", L"Version", L"Version 2.00",
                               L"" VORIKA_JOB_DIR L"/exported-settings.txt");
    output.clear();
    EXPECT_EQ(Vorikactl(import + file, &output), 1u);
    EXPECT_NE(output.find("not a settings file of this driver"), std::string::npos) << output;
    EXPECT_EQ(Vorikactl(import + L"\"" VORIKA_JOB_DIR L"/missing.txt\"", &output), 1u);
    EXPECT_EQ(Stored(target), (std::pair<SHORT, LONG>{432, 7}));
}

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

} // namespace

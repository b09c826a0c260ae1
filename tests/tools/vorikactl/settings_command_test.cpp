// vorikactl settings export and import between two printers, through the real profile
// functions: a file that does not load changes nothing and says why.
#ifdef _WIN32
#include "settings/printer_data.h"
#include "tests/support/test_printer.h"
#include "tests/tools/vorikactl/run_vorikactl.h"

#include <gtest/gtest.h>

namespace {

// The stored width and the speed of text preset 5, as a loaded record holds them.
std::pair<SHORT, LONG> Stored(const TestPrinter& printer) {
    PrinterSettings* stored = GetPrinterProperties(printer.handle(), printer.model());
    const std::pair<SHORT, LONG> values{stored->UserDefinedX, stored->TextSet.Entry[5].Speed};
    GlobalFree(stored);
    return values;
}

TEST(VorikactlSettings, ExportFromOnePrinterImportsIntoAnother) {
    const std::wstring file = L"\"" VORIKA_JOB_DIR L"/exported-settings.txt\"";
    DeleteFileW(L"" VORIKA_JOB_DIR L"/exported-settings.txt");
    std::string output;
    {
        TestPrinter source(L"Velmar VORIKA KLV-20");
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
    TestPrinter target(L"Velmar VORIKA KLV-20");
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

} // namespace
#endif

// vorikactl settings export and import between two printers, through the real profile
// functions: a file that does not load changes nothing and says why.
#ifdef _WIN32
#include "settings/printer_data.h"
#include "tests/support/test_printer.h"
#include "tests/tools/vorikactl/run_vorikactl.h"

#include <gtest/gtest.h>

namespace {

constexpr LPCWSTR kModel = L"Velmar VORIKA KLV-20";

SHORT StoredWidth(const TestPrinter& printer) {
    PrinterSettings* stored = GetPrinterProperties(printer.handle(), kModel);
    const SHORT width = stored->UserDefinedX;
    GlobalFree(stored);
    return width;
}

TEST(VorikactlSettings, ExportFromOnePrinterImportsIntoAnother) {
    const std::wstring file = L"" VORIKA_JOB_DIR L"/exported-settings.txt";
    DeleteFileW(file.c_str());
    std::string output;
    {
        TestPrinter source(kModel);
        PrinterSettings ps;
        SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
        ps.UserDefinedX = 432;
        ps.TextSet.Entry[5].Speed = 7;
        ASSERT_EQ(SavePrinterProperties(source.handle(), &ps, sizeof ps), 1u);
        EXPECT_EQ(
            Vorikactl(L"settings export \"" + std::wstring(source.name()) + L"\" \"" + file + L"\"",
                      &output),
            0u)
            << output;
    }
    TestPrinter target(kModel);
    const std::wstring name = target.name();
    EXPECT_EQ(Vorikactl(L"settings import \"" + name + L"\" \"" + file + L"\"", &output), 0u)
        << output;
    EXPECT_EQ(StoredWidth(target), 432);
    PrinterSettings* stored = GetPrinterProperties(target.handle(), kModel);
    EXPECT_EQ(stored->TextSet.Entry[5].Speed, 7);
    GlobalFree(stored);

    // A wrong version: nothing is stored, one line says why.
    WritePrivateProfileStringW(L"Velmar VORIKA Driver", L"Version", L"Version 2.00", file.c_str());
    output.clear();
    EXPECT_EQ(Vorikactl(L"settings import \"" + name + L"\" \"" + file + L"\"", &output), 1u);
    EXPECT_NE(output.find("not a settings file of this driver"), std::string::npos) << output;
    EXPECT_EQ(StoredWidth(target), 432);
    EXPECT_EQ(Vorikactl(L"settings import \"" + name + L"\" \"" + file + L".missing\"", &output),
              1u);
}

} // namespace
#endif

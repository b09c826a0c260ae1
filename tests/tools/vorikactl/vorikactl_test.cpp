// The built vorikactl run as a technician's script runs it: settings export and import between
// two printers through the real profile functions, and the test print, whose bytes reach the
// printer's port. Each says in one line (text mode, ended by CR LF) what it did or why not, and a
// command that fails changes nothing.
#include "pages/material/settings_file.h"
#include "settings/printer_data.h"
#include "tests/support/run_vorikactl.h"
#include "tests/support/test_printer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A file of the job folder, by the full name the tool reports it under.
std::wstring JobFile(const wchar_t* name) {
    std::wstring path = L"Z:" VORIKA_JOB_DIR L"/" + std::wstring(name);
    for (wchar_t& c : path) {
        c = c == L'/' ? L'\\' : c;
    }
    return path;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

// The platform's words for an error code, as a person is to read them.
std::string PlatformReason(DWORD error) {
    char text[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, text, sizeof text, nullptr);
    while (length > 0 && std::strchr("\r\n ", text[length - 1]) != nullptr) {
        --length;
    }
    return std::string(text, length) + " (" + std::to_string(error) + ")";
}

PrinterSettings Stored(const TestPrinter& printer) {
    PrinterSettings* stored = GetPrinterProperties(printer.handle(), printer.model());
    PrinterSettings copy = *stored;
    GlobalFree(stored);
    return copy;
}

// A settings file as the Material page saves one, of the KLV-20's default record edited, with
// one more key when one is given.
std::wstring SettingsFile(const wchar_t* name, const std::function<void(PrinterSettings&)>& edit,
                          LPCWSTR key = nullptr, LPCWSTR value = nullptr) {
    const std::wstring path = JobFile(name);
    DeleteFileW(path.c_str());
    PrinterSettings ps;
    SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
    edit(ps);
    EXPECT_TRUE(WriteSettingsFile(path.c_str(), ps));
    if (key != nullptr) {
        WritePrivateProfileStringW(kSettingsSection, key, value, path.c_str());
    }
    return path;
}

TEST(VorikactlSettings, ExportEditImportCarriesTheRecordBetweenPrinters) {
    const std::wstring file = JobFile(L"exported-settings.txt");
    DeleteFileW(file.c_str());
    std::string output;
    {
        TestPrinter source(kModelKlv20);
        PrinterSettings ps;
        SetDefaultPrinterSettings(&ps, kBaseDpiKlv20);
        ps.UserDefinedX = 432;
        ps.TextSet.Entry[5].Speed = 7;
        ASSERT_EQ(SavePrinterProperties(source.handle(), &ps, sizeof ps), 1u);
        EXPECT_EQ(
            Vorikactl(L"settings export " + Quoted(source.name()) + L" " + Quoted(file), &output),
            0u)
            << output;
    }
    // The technician's edit: a brightness the Image correction page could have set.
    PrinterSettings edited;
    ASSERT_TRUE(ReadSettingsRecord(file.c_str(), &edited));
    edited.Brightness = -50;
    ASSERT_TRUE(WriteSettingsFile(file.c_str(), edited));

    TestPrinter target(kModelKlv20);
    output.clear();
    EXPECT_EQ(Vorikactl(L"settings import " + Quoted(target.name()) + L" " + Quoted(file), &output),
              0u);
    EXPECT_EQ(output, "imported into the settings of \"" + Narrow(target.name()) +
                          "\": " + Narrow(file) + "\r\n");
    const PrinterSettings stored = Stored(target);
    EXPECT_EQ(stored.UserDefinedX, 432);
    EXPECT_EQ(stored.TextSet.Entry[5].Speed, 7);
    EXPECT_EQ(stored.Brightness, -50);
}

// Every refused command: exit status 1, one line, and the printer's stored settings, the files and
// the printer's port as they were.
TEST(VorikactlRefusals, EachBadInputGivesOneLineAndChangesNothing) {
    TestPrinter klv20(kModelKlv20);
    const std::wstring printer = Quoted(klv20.name()) + L" ";
    // The arguments and the line; a line ending in ": " goes on with the platform's reason.
    std::vector<std::pair<std::wstring, std::string>> rows;
    const auto same = [](PrinterSettings&) {};
    const std::tuple<std::wstring, const char*> files[] = {
        {SettingsFile(L"size.txt", [](PrinterSettings& p) { p.UserDefinedX = -100; }),
         "UserDefinedX is -100, outside 51 .. 500"},
        {SettingsFile(L"bright.txt", [](PrinterSettings& p) { p.Brightness = -30000; }),
         "Brightness is -30000, outside -50 .. 50"},
        {SettingsFile(L"hidden.txt", same, kEnableExtendedSizeKey, L"5"),
         "EnableExtendedSize is 5, outside 0 .. 1"},
        {SettingsFile(L"klv30.txt",
                      [](PrinterSettings& p) { SetDefaultPrinterSettings(&p, kBaseDpiOther); }),
         "made for another model (base 1058 dpi; the printer's is 1016 dpi)"},
    };
    for (const auto& [path, detail] : files) {
        rows.push_back(
            {L"settings import " + printer + Quoted(path),
             "vorikactl: settings file \"" + Narrow(path) + "\": " + detail + "; nothing stored"});
    }
    const std::wstring missing = JobFile(L"missing.txt");
    DeleteFileW(missing.c_str());
    for (const std::wstring& path :
         {SettingsFile(L"other.txt", same, kVersionKey, L"Version 2.00"), missing}) {
        rows.push_back({L"settings import " + printer + Quoted(path),
                        "vorikactl: not a settings file of this driver (missing, another version "
                        "or damaged) \"" +
                            Narrow(path) + "\""});
    }
    const std::wstring folder = JobFile(L"a-folder"), noFolder = L"C:\\no\\such\\folder\\x.ini";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const std::wstring& path : {noFolder, folder}) {
        rows.push_back({L"settings export " + printer + Quoted(path),
                        "vorikactl: cannot write the settings file \"" + Narrow(path) + "\": "});
    }
    for (const std::wstring pattern : {L"-1", L"99999", L"2147483650"}) {
        rows.push_back({L"testprint " + printer + L"--pattern " + pattern,
                        "vorikactl: no test pattern \"" + Narrow(pattern) +
                            "\": the printer has the patterns 0, 1 and 2"});
    }
    rows.push_back({L"testprint \"VORIKA no such printer\"",
                    "vorikactl: no printer named \"VORIKA no such printer\": " +
                        PlatformReason(ERROR_INVALID_PRINTER_NAME)});

    const PrinterSettings before = Stored(klv20);
    for (const auto& [arguments, line] : rows) {
        std::string output;
        EXPECT_EQ(Vorikactl(arguments, &output), 1u) << output;
        if (line.back() == ' ') { // the platform's words, whichever error it gave, then the code
            EXPECT_EQ(output.rfind(line, 0), 0u) << output;
            EXPECT_GT(output.size(), line.size() + 6) << output;
            EXPECT_EQ(output.find(")\r\n"), output.size() - 3) << output;
        } else {
            EXPECT_EQ(output, line + "\r\n");
        }
        const PrinterSettings after = Stored(klv20);
        EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0) << output;
        EXPECT_EQ(klv20.Output(), "") << output;
    }
    // The failed exports left no file, whole or in part, where they could have written one.
    EXPECT_EQ(GetFileAttributesW(noFolder.c_str()), INVALID_FILE_ATTRIBUTES);
    WIN32_FIND_DATAW found;
    EXPECT_EQ(FindFirstFileW(JobFile(L"vks*").c_str(), &found), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
}

TEST(VorikactlTestPrint, SendsTheModelsJobAndSaysSo) {
    TestPrinter klv30(L"Velmar VORIKA KLV-30");
    const std::wstring name = klv30.name();
    std::string output;
    EXPECT_EQ(Vorikactl(L"testprint \"" + name + L"\" --pattern 0", &output), 0u);
    EXPECT_EQ(output, "test print 0 sent to \"" + Narrow(name) + "\": 30 bytes written\r\n");
    EXPECT_EQ(klv30.Output(), "\x1b%-12345X\n@PJL DO TESTPRINT=0\n");
    EXPECT_EQ(Vorikactl(L"testprint \"" + name + L"\"", &output), 0u); // the page's main test print
    EXPECT_EQ(klv30.Output(), "\x1b%-12345X\n@PJL DO TESTPRINT=2\n");
}

} // namespace

// The built vorikactl run as a technician's script runs it: settings export and import between
// two printers through the real profile functions, and the test print, whose bytes reach the
// printer's port. Each says in one line (text mode, ended by CR LF) what it did or why not, and a
// command that fails changes nothing.
#include "pages/material/settings_file.h"
#include "settings/printer_data.h"
#include "tests/support/devmode_bytes.h"
#include "tests/support/run_vorikactl.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>

namespace {

constexpr LPCWSTR kKlv30 = L"Velmar VORIKA KLV-30";

using testdm::Narrow;
const auto Quoted = [](const std::wstring& text) { return L"\"" + text + L"\""; };

// A file of the job folder, by the full name the tool reports it under.
std::wstring JobFile(const wchar_t* name) {
    std::wstring path = L"Z:" VORIKA_JOB_DIR L"/" + std::wstring(name);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// A settings file as the Material page saves one, of the KLV-20's default record edited, with
// one more key when one is given.
template <typename Edit>
std::wstring SettingsFile(const wchar_t* name, Edit edit, LPCWSTR key = nullptr,
                          LPCWSTR value = nullptr) {
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

// The record exported from one printer, imported into another; then the test print, on request
// and the page's main one, in the model's form on the printer's port.
TEST(VorikactlSettings, ExportImportAndTestPrint) {
    const std::wstring file = JobFile(L"exported-settings.txt");
    DeleteFileW(file.c_str());
    std::string output;
    {
        TestPrinter source(kKlv30);
        PrinterSettings ps;
        SetDefaultPrinterSettings(&ps, kBaseDpiOther);
        ps.UserDefinedX = 432, ps.TextSet.Entry[5].Speed = 7, ps.Brightness = -50;
        ASSERT_EQ(SavePrinterProperties(source.handle(), &ps, sizeof ps), 1u);
        const std::wstring command = L"settings export " + Quoted(source.name()) + L" ";
        EXPECT_EQ(Vorikactl(command + Quoted(file), &output), 0u) << output;
    }
    TestPrinter target(kKlv30);
    const std::wstring printer = Quoted(target.name());
    output.clear();
    EXPECT_EQ(Vorikactl(L"settings import " + printer + L" " + Quoted(file), &output), 0u);
    EXPECT_EQ(Vorikactl(L"testprint " + printer + L" --pattern 0", &output), 0u);
    const std::string requested = target.Output();
    EXPECT_EQ(Vorikactl(L"testprint " + printer, &output), 0u);
    const std::string name = Narrow(printer.c_str());
    EXPECT_EQ(output, "imported into the settings of " + name + ": " + Narrow(file.c_str()) +
                          "\r\ntest print 0 sent to " + name +
                          ": 30 bytes written\r\ntest print 2 sent to " + name +
                          ": 30 bytes written\r\n");
    EXPECT_EQ(requested + target.Output(),
              "\x1b%-12345X\n@PJL DO TESTPRINT=0\n\x1b%-12345X\n@PJL DO TESTPRINT=2\n");
    const PrinterSettings stored = testdm::StoredSettings(target.handle(), kKlv30);
    EXPECT_EQ(std::tuple(stored.UserDefinedX, stored.TextSet.Entry[5].Speed, stored.Brightness),
              std::tuple(432, 7, -50));
}

// Every refused command: exit status 1, one line, and the printer's stored settings, the files and
// the printer's port as they were.
TEST(VorikactlRefusals, EachBadInputGivesOneLineAndChangesNothing) {
    TestPrinter klv20(kModelKlv20);
    const std::wstring printer = Quoted(klv20.name()) + L" ";
    const std::wstring missing = JobFile(L"missing.txt"), folder = JobFile(L"a-folder"),
                       noFolder = L"C:\\no\\such\\folder\\x.ini";
    DeleteFileW(missing.c_str());
    CreateDirectoryW(folder.c_str(), nullptr);
    const auto same = [](PrinterSettings&) {};
    const auto klv30 = [](PrinterSettings& p) { SetDefaultPrinterSettings(&p, kBaseDpiOther); };
    const std::wstring import = L"settings import " + printer, save = L"settings export " + printer,
                       pattern = L"testprint " + printer + L"--pattern ";
    const char *const file = "settings file ",
                      *const unwritable = "cannot write the settings file ",
                      *const foreign = "not a settings file of this driver (missing, another "
                                       "version or damaged) ",
                      *const noPattern = ": the printer has the patterns 0, 1 and 2";
    // The command, what it names (given quoted), and the line it says around that name; a line
    // ending in ": " goes on with the platform's reason.
    const struct {
        std::wstring command, name;
        const char* what;
        std::string detail;
    } rows[] = {
        {import, SettingsFile(L"size.txt", [](PrinterSettings& p) { p.UserDefinedX = -100; }), file,
         ": UserDefinedX is -100, outside 51 .. 500; nothing stored"},
        {import, SettingsFile(L"hidden.txt", same, kEnableExtendedSizeKey, L"5"), file,
         ": EnableExtendedSize is 5, outside 0 .. 1; nothing stored"},
        {import, SettingsFile(L"klv30.txt", klv30), file,
         ": made for another model (base 1058 dpi; the printer's is 1016 dpi); nothing stored"},
        {import, SettingsFile(L"other.txt", same, kVersionKey, L"Version 2.00"), foreign, ""},
        {import, missing, foreign, ""},
        {save, noFolder, unwritable, ": "},
        {save, folder, unwritable, ": "},
        {pattern, L"-1", "no test pattern ", noPattern},
        {pattern, L"2147483650", "no test pattern ", noPattern},
        {L"testprint ", L"VORIKA no such printer", "no printer named ", ": "},
    };
    const PrinterSettings before = testdm::StoredSettings(klv20.handle(), kModelKlv20);
    for (const auto& row : rows) {
        const std::string line =
            "vorikactl: " + (row.what + Narrow(Quoted(row.name).c_str())) + row.detail;
        std::string output;
        EXPECT_EQ(Vorikactl(row.command + Quoted(row.name), &output), 1u) << output;
        if (line.back() == ' ') { // the platform's words, whichever error it gave, then the code
            EXPECT_TRUE(output.rfind(line, 0) == 0 && output.size() > line.size() + 6 &&
                        output.find(")\r\n") == output.size() - 3)
                << output;
        } else {
            EXPECT_EQ(output, line + "\r\n");
        }
        const PrinterSettings after = testdm::StoredSettings(klv20.handle(), kModelKlv20);
        EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0) << output;
        EXPECT_EQ(klv20.Output(), "") << output;
    }
    // The failed exports left no file, whole or in part, where they could have written one.
    WIN32_FIND_DATAW found;
    EXPECT_EQ(FindFirstFileW(JobFile(L"vks*").c_str(), &found), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
}

} // namespace

// The built vorikactl run as a technician's script runs it: settings export and import between
// two printers through the real profile functions, and the test print, whose bytes reach the
// printer's port. Each says in one line (text mode, ended by CR LF) what it did or why not, and a
// command that fails changes nothing.
#include "pages/material/settings_file.h"
#include "settings/printer_data.h"
#include "tests/support/test_printer.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

// The command's exit status, with both its streams appended to output.
DWORD Vorikactl(const std::wstring& arguments, std::string* output) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read, write;
    CreatePipe(&read, &write, &inherit, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    std::wstring command = L"\"" VORIKACTL_EXE L"\" " + arguments;
    PROCESS_INFORMATION process{};
    DWORD status = ~0u;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000); // a few short lines: the pipe never fills
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(write);
    char buffer[512];
    for (DWORD got = 0; ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0;) {
        output->append(buffer, got);
    }
    CloseHandle(read);
    return status;
}

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

bool SameRecord(const PrinterSettings& a, const PrinterSettings& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A settings file as the Material page saves one, of a record edited from the model's defaults.
std::wstring SettingsFile(const wchar_t* name, SHORT baseDpi,
                          const std::function<void(PrinterSettings&)>& edit) {
    const std::wstring path = JobFile(name);
    DeleteFileW(path.c_str());
    PrinterSettings ps;
    SetDefaultPrinterSettings(&ps, baseDpi);
    edit(ps);
    EXPECT_TRUE(WriteSettingsFile(path.c_str(), ps));
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

// Every refused command: its exit status, its one line, and the printer's stored settings, the
// files and the printer's port as they were.
TEST(VorikactlRefusals, EachBadInputGivesOneLineAndChangesNothing) {
    TestPrinter klv20(kModelKlv20);
    const std::wstring printer = Quoted(klv20.name());
    const std::string named = "\"" + Narrow(klv20.name()) + "\"";
    auto fileLine = [](const std::wstring& path, const std::string& what) {
        return "vorikactl: settings file \"" + Narrow(path) + "\": " + what + "; nothing stored";
    };
    const std::wstring wide = SettingsFile(L"wide.txt", kBaseDpiKlv20, [](PrinterSettings& p) {
        p.UserDefinedX = -100, p.UserDefinedY = -250;
    });
    const std::wstring bright = SettingsFile(L"bright.txt", kBaseDpiKlv20,
                                             [](PrinterSettings& p) { p.Brightness = 30000; });
    const std::wstring dark =
        SettingsFile(L"dark.txt", kBaseDpiKlv20, [](PrinterSettings& p) { p.Brightness = -30000; });
    const std::wstring fast = SettingsFile(
        L"fast.txt", kBaseDpiKlv20, [](PrinterSettings& p) { p.PhotoSet.Entry[5].Speed = 19; });
    const std::wstring klv30 = SettingsFile(L"klv30.txt", kBaseDpiOther, [](PrinterSettings&) {});
    const std::wstring hidden = SettingsFile(L"hidden.txt", kBaseDpiKlv20, [](PrinterSettings&) {});
    WritePrivateProfileStringW(kSettingsSection, kEnableExtendedSizeKey, L"5", hidden.c_str());
    const std::wstring other = SettingsFile(L"other.txt", kBaseDpiKlv20, [](PrinterSettings&) {});
    WritePrivateProfileStringW(kSettingsSection, kVersionKey, L"Version 2.00", other.c_str());
    const std::wstring missing = JobFile(L"missing.txt");
    DeleteFileW(missing.c_str());
    const std::wstring noFolder = L"C:\\no\\such\\folder\\x.ini";
    const std::wstring folder = JobFile(L"a-folder");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::string notSettings =
        "not a settings file of this driver (missing, another version or damaged) \"";
    const std::string noPattern = "\": the printer has the patterns 0, 1 and 2";

    struct Row {
        std::wstring arguments;
        DWORD status;
        std::string line; // without its CR LF
    };
    const Row rows[] = {
        {L"settings import " + printer + L" " + Quoted(wide), 1,
         fileLine(wide, "UserDefinedX is -100, outside 51 .. 500")},
        {L"settings import " + printer + L" " + Quoted(bright), 1,
         fileLine(bright, "Brightness is 30000, outside -50 .. 50")},
        {L"settings import " + printer + L" " + Quoted(dark), 1,
         fileLine(dark, "Brightness is -30000, outside -50 .. 50")},
        {L"settings import " + printer + L" " + Quoted(fast), 1,
         fileLine(fast, "Speed of photo preset 5 is 19, outside 1 .. 18")},
        {L"settings import " + printer + L" " + Quoted(hidden), 1,
         fileLine(hidden, "EnableExtendedSize is 5, outside 0 .. 1")},
        {L"settings import " + printer + L" " + Quoted(klv30), 1,
         fileLine(klv30, "made for another model (base 1058 dpi; the printer's is 1016 dpi)")},
        {L"settings import " + printer + L" " + Quoted(other), 1,
         "vorikactl: " + notSettings + Narrow(other) + "\""},
        {L"settings import " + printer + L" " + Quoted(missing), 1,
         "vorikactl: " + notSettings + Narrow(missing) + "\""},
        {L"settings import \"VORIKA no such printer\" " + Quoted(bright), 1,
         "vorikactl: no settings to be had from printer \"VORIKA no such printer\": " +
             PlatformReason(ERROR_INVALID_PRINTER_NAME)},
        {L"settings export " + printer + L" " + Quoted(noFolder), 1,
         "vorikactl: cannot write the settings file \"" + Narrow(noFolder) + "\": "},
        {L"settings export " + printer + L" " + Quoted(folder), 1,
         "vorikactl: cannot write the settings file \"" + Narrow(folder) + "\": "},
        {L"testprint " + printer + L" --pattern -1", 1,
         "vorikactl: no test pattern \"-1" + noPattern},
        {L"testprint " + printer + L" --pattern 3", 1,
         "vorikactl: no test pattern \"3" + noPattern},
        {L"testprint " + printer + L" --pattern 99999", 1,
         "vorikactl: no test pattern \"99999" + noPattern},
        {L"testprint " + printer + L" --pattern 2147483650", 1,
         "vorikactl: no test pattern \"2147483650" + noPattern},
        {L"testprint \"VORIKA no such printer\"", 1,
         "vorikactl: no printer named \"VORIKA no such printer\": " +
             PlatformReason(ERROR_INVALID_PRINTER_NAME)},
    };
    const PrinterSettings before = Stored(klv20);
    for (const Row& row : rows) {
        std::string output;
        EXPECT_EQ(Vorikactl(row.arguments, &output), row.status) << Narrow(row.arguments);
        const bool platformReason = row.line.back() == ' ';
        if (platformReason) {
            // The platform's words, whichever error it gave, then the code.
            EXPECT_EQ(output.rfind(row.line, 0), 0u) << output;
            EXPECT_GT(output.size(), row.line.size() + 6) << output;
            EXPECT_EQ(output.substr(output.size() - 3), ")\r\n") << output;
            EXPECT_EQ(output.find('\n'), output.size() - 1) << output;
        } else {
            EXPECT_EQ(output, row.line + "\r\n");
        }
        EXPECT_TRUE(SameRecord(Stored(klv20), before)) << Narrow(row.arguments);
        EXPECT_EQ(klv20.Output(), "") << Narrow(row.arguments);
    }
    // The failed exports left no file, whole or in part, anywhere they could have written one.
    EXPECT_EQ(GetFileAttributesW(noFolder.c_str()), INVALID_FILE_ATTRIBUTES);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(JobFile(L"vks*").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << Narrow(found.cFileName);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
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

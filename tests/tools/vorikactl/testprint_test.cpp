// vorikactl testprint run as a technician's script runs it: its exit status, its one line (in
// text mode, ended by CR LF), and the bytes that reach the printer's port.
#ifdef _WIN32
#include "tests/pages/slope/captured_printer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Outcome {
    DWORD status;
    std::string output; // both streams
};

Outcome Vorikactl(const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read, write;
    CreatePipe(&read, &write, &inherit, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    std::wstring command = L"\"" VORIKACTL_EXE L"\" testprint " + arguments;
    PROCESS_INFORMATION process{};
    Outcome outcome{~0u, {}};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        // One short line, far below what the pipe holds.
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &outcome.status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(write);
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        outcome.output.append(buffer, got);
    }
    CloseHandle(read);
    return outcome;
}

} // namespace

TEST(VorikactlTestPrint, SendsTheModelsJobAndSaysSo) {
    CapturedPrinter klv20(L"Velmar VORIKA KLV-20");
    const std::wstring name20 = klv20.name();
    Outcome run = Vorikactl(L"\"" + name20 + L"\"");
    EXPECT_EQ(run.status, 0u);
    EXPECT_EQ(run.output, "test print 2 sent to \"" + std::string(name20.begin(), name20.end()) +
                              "\": 20 bytes written\r\n");
    EXPECT_EQ(klv20.Output(), "@PJL DO TESTPRINT=2\n");

    CapturedPrinter klv30(L"Velmar VORIKA KLV-30");
    run = Vorikactl(L"\"" + std::wstring(klv30.name()) + L"\" --pattern -1");
    EXPECT_EQ(run.status, 0u) << run.output;
    EXPECT_EQ(klv30.Output(), "\x1b%-12345X\n@PJL DO TESTPRINT=-1\n");
}

TEST(VorikactlTestPrint, AMissingPrinterOrABadPatternFails) {
    const Outcome run = Vorikactl(L"\"VORIKA no such printer\"");
    EXPECT_EQ(run.status, 1u);
    EXPECT_EQ(run.output.rfind("vorikactl: no printer named \"VORIKA no such printer\" (error ", 0),
              0u)
        << run.output;
    for (const wchar_t* arguments : {L"P --pattern x", L"P --pattern 2147483648", L"P --pattern"}) {
        EXPECT_EQ(Vorikactl(arguments).status, 2u);
    }
}
#endif

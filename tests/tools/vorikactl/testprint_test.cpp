// vorikactl testprint run as a technician's script runs it: its exit status, its one line (in
// text mode, ended by CR LF), and the bytes that reach the printer's port.
#ifdef _WIN32
#include "tests/support/test_printer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Runs the command and answers its exit status, with both its streams in output.
DWORD Vorikactl(const std::wstring& arguments, std::string* output) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read, write;
    CreatePipe(&read, &write, &inherit, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    std::wstring command = L"\"" VORIKACTL_EXE L"\" testprint " + arguments;
    PROCESS_INFORMATION process{};
    DWORD status = ~0u;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000); // one short line: the pipe never fills
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

} // namespace

TEST(VorikactlTestPrint, SendsTheModelsJobAndSaysSoOrWhyNot) {
    TestPrinter klv30(L"Velmar VORIKA KLV-30");
    const std::wstring name = klv30.name();
    std::string output;
    EXPECT_EQ(Vorikactl(L"\"" + name + L"\" --pattern -1", &output), 0u);
    EXPECT_EQ(output, "test print -1 sent to \"" + std::string(name.begin(), name.end()) +
                          "\": 31 bytes written\r\n");
    EXPECT_EQ(klv30.Output(), "\x1b%-12345X\n@PJL DO TESTPRINT=-1\n");
    EXPECT_EQ(Vorikactl(L"\"" + name + L"\"", &output), 0u); // the page's main test print
    EXPECT_EQ(klv30.Output(), "\x1b%-12345X\n@PJL DO TESTPRINT=2\n");

    output.clear();
    EXPECT_EQ(Vorikactl(L"\"VORIKA no such printer\"", &output), 1u);
    EXPECT_EQ(output.rfind("vorikactl: no printer named \"VORIKA no such printer\" (error ", 0), 0u)
        << output;
    EXPECT_EQ(Vorikactl(L"P --pattern 2147483648", &output), 2u); // beyond 32 bits: usage
}
#endif

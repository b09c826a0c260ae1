// vorikactl testprint run as a technician's script runs it: its exit status, its one line, and
// the bytes that reach the printer's port.
#ifdef _WIN32
#include "tests/pages/slope/captured_printer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Outcome {
    DWORD status;
    std::string out;
    std::string err;
};

std::string ReadAll(HANDLE pipe) {
    std::string text;
    char buffer[256];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        text.append(buffer, got);
    }
    return text;
}

// Runs vorikactl with the arguments and collects what it wrote on each stream (in text mode: its
// lines end in CR LF).
Outcome Vorikactl(const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    CreatePipe(&errRead, &errWrite, &inherit, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    std::wstring command = L"\"" VORIKACTL_EXE L"\" " + arguments;
    PROCESS_INFORMATION process{};
    Outcome run{~0u, {}, {}};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (started) {
        // Each message is one short line, far below a pipe's buffer.
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &run.status);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        run.out = ReadAll(outRead);
        run.err = ReadAll(errRead);
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return run;
}

std::string Narrow(LPCWSTR text) {
    std::wstring wide(text);
    return std::string(wide.begin(), wide.end());
}

} // namespace

TEST(VorikactlTestPrint, SendsTheModelsJobAndSaysSoInOneLine) {
    CapturedPrinter klv20(L"Velmar VORIKA KLV-20");
    Outcome run = Vorikactl(L"testprint \"" + std::wstring(klv20.name()) + L"\"");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(run.out, "test print 2 sent to \"" + Narrow(klv20.name()) + "\": 20 bytes written\r\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(klv20.Output(), "@PJL DO TESTPRINT=2\n");

    CapturedPrinter klv30(L"Velmar VORIKA KLV-30");
    run = Vorikactl(L"testprint \"" + std::wstring(klv30.name()) + L"\" --pattern -1");
    EXPECT_EQ(run.status, 0u) << run.err;
    EXPECT_EQ(run.out, "test print -1 sent to \"" + Narrow(klv30.name()) + "\": 31 bytes written\r\n");
    EXPECT_EQ(klv30.Output(), "\x1b%-12345X\n@PJL DO TESTPRINT=-1\n");
}

TEST(VorikactlTestPrint, AMissingPrinterFailsWithTheReason) {
    const Outcome run = Vorikactl(L"testprint \"VORIKA no such printer\"");
    EXPECT_EQ(run.status, 1u);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("vorikactl: no printer named \"VORIKA no such printer\" (error ", 0), 0u)
        << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}

TEST(VorikactlTestPrint, APatternMustBeASigned32BitNumber) {
    for (const wchar_t* arguments :
         {L"testprint P --pattern x", L"testprint P --pattern 2147483648", L"testprint P --pattern",
          L"testprint", L"testprint P --pattern -"}) {
        EXPECT_EQ(Vorikactl(arguments).status, 2u) << Narrow(arguments);
    }
}
#endif

// The built vorikactl run as a technician's script runs it (windows tree; the test program names
// the tool in VORIKACTL_EXE).
#pragma once

#include <windows.h>

#include <string>

// The command's exit status (~0 when it could not start), with both its streams appended to output.
inline DWORD Vorikactl(const std::wstring& arguments, std::string* output) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read, write;
    CreatePipe(&read, &write, &inherit, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup, startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    std::wstring command = L"\"" VORIKACTL_EXE L"\" " + arguments;
    PROCESS_INFORMATION process{};
    CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                   &process);
    CloseHandle(write); // the pipe ends with the tool, which may write more than the pipe holds
    char buffer[4096];
    for (DWORD got = 0; ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0;) {
        output->append(buffer, got);
    }
    DWORD status = ~0u;
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(read), CloseHandle(process.hProcess), CloseHandle(process.hThread);
    return status;
}

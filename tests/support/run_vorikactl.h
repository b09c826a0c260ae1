// The built vorikactl run as a technician's script runs it (windows tree; the test program names
// the tool in VORIKACTL_EXE).
#pragma once

#include <cstdio>
#include <string>

// The command's exit status (~0 when it could not start), with both its streams appended to output.
inline unsigned Vorikactl(const std::wstring& arguments, std::string* output) {
    // The command processor drops the outer quotes and keeps those of the tool and its arguments.
    FILE* tool = _wpopen((L"\"\"" VORIKACTL_EXE L"\" " + arguments + L" 2>&1\"").c_str(), L"rb");
    char buffer[4096];
    for (size_t got; tool != nullptr && (got = std::fread(buffer, 1, sizeof buffer, tool)) > 0;) {
        output->append(buffer, got);
    }
    return tool != nullptr ? unsigned(_pclose(tool)) : ~0u;
}

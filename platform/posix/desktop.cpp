// The desktop as the stand-in sees it: nobody at the keyboard, no help engine, no file dialogs,
// no windows, no property-sheet host, and a user profile held in memory.
#include "platform/posix/standin_control.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace {

std::mutex profileLock; // also guards the module path and the loaded names
std::map<standin::WString, standin::WString> profile; // "app\key" -> value
LANGID userLanguage = 0x0409;
standin::WString modulePath;
std::vector<standin::WString> presentFiles;
std::vector<standin::WString> loadedLibraries;

standin::WString ProfileKey(LPCWSTR app, LPCWSTR key) {
    return standin::WString(app) + TEXT("\\") + key;
}

} // namespace

void standin::SetUserDefaultLangID(LANGID language) {
    userLanguage = language;
}

SHORT GetAsyncKeyState(int) {
    return 0;
}

UINT GetProfileIntW(LPCWSTR app, LPCWSTR key, INT defaultValue) {
    std::lock_guard guard(profileLock);
    auto it = profile.find(ProfileKey(app, key));
    if (it == profile.end()) {
        return static_cast<UINT>(defaultValue);
    }
    // Leading digits with an optional minus sign, as the profile functions read them.
    const standin::WString& text = it->second;
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    i += negative ? 1 : 0;
    UINT value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<UINT>(text[i] - '0');
    }
    return negative ? 0u - value : value;
}

BOOL WriteProfileStringW(LPCWSTR app, LPCWSTR key, LPCWSTR value) {
    std::lock_guard guard(profileLock);
    if (value == nullptr) {
        profile.erase(ProfileKey(app, key));
    } else {
        profile[ProfileKey(app, key)] = value;
    }
    return TRUE;
}

LANGID GetUserDefaultLangID() {
    return userLanguage;
}

BOOL WinHelpW(HWND, LPCWSTR, UINT, ULONG_PTR) {
    return FALSE;
}

LONG RtlGetVersion(RTL_OSVERSIONINFOW* info) {
    info->dwMajorVersion = 10;
    info->dwMinorVersion = 0;
    info->dwBuildNumber = 19045;
    info->dwPlatformId = 2;
    info->szCSDVersion[0] = 0;
    return 0;
}

DWORD GetFileAttributesW(LPCWSTR path) {
    std::lock_guard guard(profileLock);
    const bool present =
        std::find(presentFiles.begin(), presentFiles.end(), path) != presentFiles.end();
    return present ? FILE_ATTRIBUTE_NORMAL : INVALID_FILE_ATTRIBUTES;
}

void standin::SetFilePresent(const WString& path, bool present) {
    std::lock_guard guard(profileLock);
    std::erase(presentFiles, path);
    if (present) {
        presentFiles.push_back(path);
    }
}

LRESULT SendMessageW(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

void standin::SetModulePath(const WString& path) {
    std::lock_guard guard(profileLock);
    modulePath = path;
}

std::vector<standin::WString> standin::LoadedLibraries() {
    std::lock_guard guard(profileLock);
    return loadedLibraries;
}

void standin::ForgetLoadedLibraries() {
    std::lock_guard guard(profileLock);
    loadedLibraries.clear();
}

DWORD GetModuleFileNameW(HMODULE, LPWSTR path, DWORD size) {
    std::lock_guard guard(profileLock);
    if (modulePath.empty() || size <= modulePath.size()) {
        if (path != nullptr && size > 0) {
            path[0] = 0;
        }
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    std::copy(modulePath.begin(), modulePath.end(), path);
    path[modulePath.size()] = 0;
    return static_cast<DWORD>(modulePath.size());
}

// Records the request; no module is ever loaded here.
HMODULE LoadLibraryW(LPCWSTR name) {
    std::lock_guard guard(profileLock);
    loadedLibraries.emplace_back(name);
    return nullptr;
}

FARPROC GetProcAddress(HMODULE, LPCSTR) {
    return nullptr;
}

BOOL FreeLibrary(HMODULE) {
    return FALSE;
}

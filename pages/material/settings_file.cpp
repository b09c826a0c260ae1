#include "pages/material/settings_file.h"

#include "pages/material/material_model.h"

#include <algorithm>

void CharToNulls(LPWSTR text, WCHAR separator) {
    const int length = lstrlenW(text);
    for (int i = 0; i <= length; ++i) {
        if (text[i] == separator) {
            text[i] = 0;
        }
    }
}

bool IsSettingsVersion(LPCWSTR text) {
    int i = 0;
    for (; kSettingsVersion[i] != 0; ++i) {
        if (text[i] != kSettingsVersion[i]) {
            return false;
        }
    }
    return text[i] == 0;
}

void FinishSettingsLoad(PrinterSettings* ps, LONG enableExtendedSize) {
    ps->EnableExtendedSize = enableExtendedSize;
    ps->LimitX = static_cast<SHORT>(std::clamp<LONG>(ps->LimitX, kMinWorkSize, kExtendedLimit));
    ps->LimitY = static_cast<SHORT>(std::clamp<LONG>(ps->LimitY, kMinWorkSize, kExtendedLimit));
    ps->UserDefinedX = std::min(ps->UserDefinedX, ps->LimitX);
    ps->UserDefinedY = std::min(ps->UserDefinedY, ps->LimitY);
}

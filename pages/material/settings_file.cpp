#include "pages/material/settings_file.h"

#include "pages/material/material_model.h"

namespace {

void BringIntoRange(SHORT* limit) {
    if (*limit < kMinWorkSize) {
        *limit = static_cast<SHORT>(kMinWorkSize);
    } else if (*limit > kExtendedLimit) {
        *limit = static_cast<SHORT>(kExtendedLimit);
    }
}

void CutToLimit(SHORT* size, SHORT limit) {
    if (*size > limit) {
        *size = limit;
    }
}

} // namespace

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
    BringIntoRange(&ps->LimitX);
    BringIntoRange(&ps->LimitY);
    CutToLimit(&ps->UserDefinedX, ps->LimitX);
    CutToLimit(&ps->UserDefinedY, ps->LimitY);
}

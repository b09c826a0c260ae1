// Reader of extended dialog templates (DLGTEMPLATEEX followed by DLGITEMTEMPLATEEX items), as
// the dialog manager finds them in a module's RT_DIALOG resources.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace vorika::test {

// The predefined window classes, whether a template names them by atom or by name.
enum class ControlClass { Button, Edit, Static, ListBox, ScrollBar, ComboBox, Other };

// A name-or-ordinal field: absent, a 16-bit ordinal, or a string.
struct NameOrOrdinal {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::wstring name;
};

struct DialogItem {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    ControlClass controlClass = ControlClass::Other;
    NameOrOrdinal windowClass;
    NameOrOrdinal title;
    std::vector<BYTE> extra;
};

struct DialogTemplate {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::wstring title;
    bool hasFont = false;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<DialogItem> items;
};

// Parses an extended dialog template held in `bytes`, never reading beyond them. Returns false
// with a reason in `error` when the bytes are not a complete extended template.
bool ParseDialogTemplate(std::span<const BYTE> bytes, DialogTemplate& out, std::string& error);

// A readable name of a control class, for messages.
const char* ControlClassName(ControlClass controlClass);

} // namespace vorika::test

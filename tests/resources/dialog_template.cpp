#include "tests/resources/dialog_template.h"

#include <cstring>

namespace vorika::test {

namespace {

// Sequential little-endian reads over the resource bytes; a read past the end marks the reader
// failed and yields zeros, so that the caller checks once at the end of each step.
class Reader {
  public:
    explicit Reader(std::span<const BYTE> bytes) : bytes_(bytes) {}

    bool failed() const { return failed_; }
    size_t offset() const { return offset_; }

    WORD Word() {
        WORD value = 0;
        Copy(&value, sizeof value);
        return value;
    }
    DWORD Dword() {
        DWORD value = 0;
        Copy(&value, sizeof value);
        return value;
    }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() {
        BYTE value = 0;
        Copy(&value, sizeof value);
        return value;
    }

    std::wstring String() {
        std::wstring text;
        for (;;) {
            WORD unit = Word();
            if (failed_ || unit == 0) {
                return text;
            }
            text.push_back(static_cast<wchar_t>(unit));
        }
    }

    NameOrOrdinal NameOrOrd() {
        NameOrOrdinal field;
        size_t start = offset_;
        WORD first = Word();
        if (failed_ || first == 0x0000) {
            return field;
        }
        if (first == 0xFFFF) {
            field.isOrdinal = true;
            field.ordinal = Word();
            return field;
        }
        offset_ = start;
        field.name = String();
        return field;
    }

    void Bytes(std::vector<BYTE>& out, size_t count) {
        if (count > bytes_.size() - offset_) {
            failed_ = true;
            return;
        }
        out.assign(bytes_.begin() + offset_, bytes_.begin() + offset_ + count);
        offset_ += count;
    }

    // Items start on a DWORD boundary counted from the start of the template.
    void AlignDword() {
        size_t aligned = (offset_ + 3) & ~size_t{3};
        if (aligned > bytes_.size()) {
            // Padding after the last item may be cut off by the resource's size.
            offset_ = bytes_.size();
            return;
        }
        offset_ = aligned;
    }

  private:
    void Copy(void* target, size_t size) {
        if (failed_ || size > bytes_.size() - offset_) {
            failed_ = true;
            return;
        }
        std::memcpy(target, bytes_.data() + offset_, size);
        offset_ += size;
    }

    std::span<const BYTE> bytes_;
    size_t offset_ = 0;
    bool failed_ = false;
};

ControlClass ClassOf(const NameOrOrdinal& windowClass) {
    if (windowClass.isOrdinal) {
        switch (windowClass.ordinal) {
        case 0x0080:
            return ControlClass::Button;
        case 0x0081:
            return ControlClass::Edit;
        case 0x0082:
            return ControlClass::Static;
        case 0x0083:
            return ControlClass::ListBox;
        case 0x0084:
            return ControlClass::ScrollBar;
        case 0x0085:
            return ControlClass::ComboBox;
        default:
            return ControlClass::Other;
        }
    }
    // The dialog manager compares class names without regard to case.
    struct Named {
        const wchar_t* name;
        ControlClass controlClass;
    };
    static constexpr Named kNamed[] = {
        {L"BUTTON", ControlClass::Button},       {L"EDIT", ControlClass::Edit},
        {L"STATIC", ControlClass::Static},       {L"LISTBOX", ControlClass::ListBox},
        {L"SCROLLBAR", ControlClass::ScrollBar}, {L"COMBOBOX", ControlClass::ComboBox},
    };
    for (const Named& named : kNamed) {
        if (lstrcmpiW(windowClass.name.c_str(), named.name) == 0) {
            return named.controlClass;
        }
    }
    return ControlClass::Other;
}

} // namespace

bool ParseDialogTemplate(std::span<const BYTE> bytes, DialogTemplate& out, std::string& error) {
    Reader reader(bytes);
    out = DialogTemplate{};
    WORD version = reader.Word();
    WORD signature = reader.Word();
    if (reader.failed() || version != 1 || signature != 0xFFFF) {
        error = "not an extended dialog template (dlgVer 1, signature 0xFFFF)";
        return false;
    }
    out.helpId = reader.Dword();
    out.exStyle = reader.Dword();
    out.style = reader.Dword();
    WORD itemCount = reader.Word();
    out.x = reader.Short();
    out.y = reader.Short();
    out.cx = reader.Short();
    out.cy = reader.Short();
    out.menu = reader.NameOrOrd();
    out.windowClass = reader.NameOrOrd();
    out.title = reader.String();
    if (out.style & DS_SETFONT) {
        out.hasFont = true;
        out.pointSize = reader.Word();
        out.weight = reader.Word();
        out.italic = reader.Byte();
        out.charset = reader.Byte();
        out.typeface = reader.String();
    }
    if (reader.failed()) {
        error = "template header runs past the end of the resource";
        return false;
    }
    for (WORD index = 0; index < itemCount; ++index) {
        reader.AlignDword();
        DialogItem item;
        item.helpId = reader.Dword();
        item.exStyle = reader.Dword();
        item.style = reader.Dword();
        item.x = reader.Short();
        item.y = reader.Short();
        item.cx = reader.Short();
        item.cy = reader.Short();
        item.id = reader.Dword();
        item.windowClass = reader.NameOrOrd();
        item.title = reader.NameOrOrd();
        WORD extraCount = reader.Word();
        reader.Bytes(item.extra, extraCount);
        if (reader.failed()) {
            error = "item " + std::to_string(index) + " of " + std::to_string(itemCount) +
                    " runs past the end of the resource";
            return false;
        }
        item.controlClass = ClassOf(item.windowClass);
        out.items.push_back(std::move(item));
    }
    return true;
}

const char* ControlClassName(ControlClass controlClass) {
    switch (controlClass) {
    case ControlClass::Button:
        return "button";
    case ControlClass::Edit:
        return "edit";
    case ControlClass::Static:
        return "static";
    case ControlClass::ListBox:
        return "list box";
    case ControlClass::ScrollBar:
        return "scroll bar";
    case ControlClass::ComboBox:
        return "combo box";
    case ControlClass::Other:
        break;
    }
    return "other";
}

} // namespace vorika::test

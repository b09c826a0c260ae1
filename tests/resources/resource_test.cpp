// The resources of the built module as the platform reads them, checked for what can go wrong:
// the English and Japanese templates of a dialog holding different controls, a control the code
// addresses missing or of another class, a control outside its dialog, and the help texts,
// logo, icons and version missing or malformed.
#include "resources/resource.h"
#include "ui/help.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// The module's path as a Windows program sees it: the build tree's Unix path is on drive Z:.
std::wstring Path() {
    std::wstring path = L"Z:" + std::wstring(VORIKAUI_DLL, VORIKAUI_DLL + sizeof VORIKAUI_DLL - 1);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}
const HMODULE kModule = LoadLibraryExW(Path().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);

std::span<const BYTE> Bytes(LPCWSTR type, int name, LANGID language) {
    HRSRC info = FindResourceExW(kModule, type, MAKEINTRESOURCEW(name), language);
    const void* data = info ? LockResource(LoadResource(kModule, info)) : nullptr;
    return data ? std::span(static_cast<const BYTE*>(data), SizeofResource(kModule, info))
                : std::span<const BYTE>();
}

struct Control {
    int id;
    std::wstring windowClass;
    DWORD style;
    bool operator==(const Control&) const = default;
};

INT_PTR CALLBACK NoProcedure(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The controls the platform's dialog manager makes from the template in one language, in
// template order (the tab order), each checked to lie within the dialog (a control flush with its
// edge may round one pixel past it); the dialog's own style first, as control 0.
std::vector<Control> Create(int number, LANGID language) {
    std::vector<Control> controls;
    std::span<const BYTE> bytes = Bytes(RT_DIALOG, number, language);
    auto* templ = reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data());
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND dialog =
        bytes.empty() ? nullptr : CreateDialogIndirectParamW(kModule, templ, owner, NoProcedure, 0);
    if (dialog == nullptr) {
        ADD_FAILURE() << "template " << number << " in language " << language;
        DestroyWindow(owner);
        return controls;
    }
    RECT client, r;
    GetClientRect(dialog, &client);
    controls.push_back({0, L"", DWORD(GetWindowLongW(dialog, GWL_STYLE)) & ~WS_VISIBLE});
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        WCHAR name[64] = {};
        GetClassNameW(c, name, 64);
        controls.push_back({GetDlgCtrlID(c), name, DWORD(GetWindowLongW(c, GWL_STYLE))});
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right + 1 &&
                    r.bottom <= client.bottom + 1)
            << "control " << controls.back().id << " of " << number << " lies outside";
    }
    DestroyWindow(dialog);
    DestroyWindow(owner);
    return controls;
}

// Only captions, fonts, positions and sizes may differ between the two languages; the Japanese
// image-correction page places the Text and Photo buttons right after Details.
TEST(DialogTemplates, EnglishAndJapaneseHoldTheSameControlsInTheSameOrder) {
    for (int number = IDD_MATERIAL_PAGE; number <= IDD_WARNING; ++number) {
        const std::vector<Control> english = Create(number, kEnglish);
        std::vector<Control> japanese = Create(number, kJapanese);
        if (number == IDD_CORRECTION_PAGE) {
            auto at = [&](int id) {
                return std::find_if(japanese.begin(), japanese.end(),
                                    [id](const Control& c) { return c.id == id; });
            };
            ASSERT_EQ(at(IDC_TYPE_TEXT), at(IDC_DETAILS) + 1);
            ASSERT_EQ(at(IDC_TYPE_PHOTO), at(IDC_DETAILS) + 2);
            std::rotate(at(IDC_TYPE_TEXT), at(IDC_TYPE_PHOTO) + 1, japanese.end());
        }
        EXPECT_GT(english.size(), 1u) << number;
        EXPECT_TRUE(english == japanese) << "template " << number;
    }
}

// The controls the pages and dialogs drive, and those a help table names, exist in both languages
// with the class (and for buttons the kind) the code drives them as.
TEST(DialogTemplates, EveryControlTheCodeAddressesExistsWithItsClass) {
    enum { Edit, Multi, Bar, Combo, Static, Radio, Check, Push, Any };
    const Control kinds[] = {{0, L"Edit", 0},
                             {ES_MULTILINE, L"Edit", ES_MULTILINE},
                             {0, L"ScrollBar", 0},
                             {0, L"ComboBox", 0},
                             {0, L"Static", 0},
                             {BS_TYPEMASK, L"Button", BS_AUTORADIOBUTTON},
                             {BS_TYPEMASK, L"Button", BS_AUTOCHECKBOX},
                             {BS_TYPEMASK, L"Button", BS_PUSHBUTTON}}; // id: the style's mask
    const std::vector<int> rows[] = {
        // template, kind, controls
        {1, Edit, IDC_WIDTH_EDIT, IDC_LENGTH_EDIT, IDC_OFFSET_X_EDIT, IDC_OFFSET_Y_EDIT},
        {1, Bar, IDC_WIDTH_SPIN, IDC_LENGTH_SPIN, IDC_OFFSET_X_SPIN, IDC_OFFSET_Y_SPIN},
        {1, Radio, IDC_UNIT_MM, IDC_UNIT_INCH, IDC_COMPRESSION_TIFF},
        {1, Check, IDC_PRINT_FROM_BOTTOM, IDC_BIDIRECTION, IDC_EXTENDED_SIZE},
        {1, Push, IDC_ABOUT, IDC_SAVE_SETTINGS, IDC_LOAD_SETTINGS},
        {1, Combo, IDC_RESOLUTION_LIST},
        {1, Static, IDC_WORK_VIEW, IDC_MATERIAL_LOGO_AREA},
        {2, Edit, IDC_BRIGHTNESS_EDIT, IDC_CONTRAST_EDIT, IDC_GAMMA_EDIT, IDC_LOWCUT_PRE_EDIT},
        {2, Bar, IDC_BRIGHTNESS_BAR, IDC_CONTRAST_BAR, IDC_GAMMA_BAR, IDC_LOWCUT_PRE_SPIN},
        {2, Combo, IDC_MATERIAL_LIST, IDC_COLORS_LIST, IDC_DITHER_LIST, IDC_DRAFTING_LIST},
        {2, Radio, IDC_TYPE_TEXT, IDC_TYPE_PHOTO},
        {2, Check, IDC_MIRROR, IDC_NEGATIVE, IDC_LOWCUT},
        {2, Static, IDC_TONE_CURVE},
        {3, Edit, IDC_BACK_EDIT, IDC_FRONT_EDIT, IDC_LEFT_EDIT, IDC_RIGHT_EDIT},
        {3, Bar, IDC_BACK_SPIN, IDC_FRONT_SPIN, IDC_LEFT_SPIN, IDC_RIGHT_SPIN},
        {3, Check, IDC_CORRECT_SLOPE},
        {3, Push, IDC_TEST_PRINT, IDC_TEST_PRINT_1, IDC_TEST_PRINT_0},
        {3, Static, IDC_LEFT_RIGHT_RATIO, IDC_FRONT_BACK_RATIO},
        {4, Multi, IDC_INFO_TEXT},
        {6, Edit, IDC_NAME_EDIT, IDC_SPEED_EDIT, IDC_IMPACT_MIN_EDIT, IDC_IMPACT_MAX_EDIT},
        {6, Bar, IDC_PRESET_SCROLL},
    };
    const std::pair<int, const DWORD*> helpTables[] = {
        {IDD_MATERIAL_PAGE, material::aPaperDlgHelpIDs},
        {IDD_CORRECTION_PAGE, correction::aPaperDlgHelpIDs},
        {IDD_DETAILS, correction::aDetailsDlgHelpIDs},
        {IDD_SLOPE_PAGE, slope::aPaperDlgHelpIDs}};
    auto expect = [&](const std::vector<Control>& controls, int id, int kind) {
        auto found = std::find_if(controls.begin() + 1, controls.end(),
                                  [id](const Control& c) { return c.id == id; });
        ASSERT_NE(found, controls.end()) << "control " << id;
        EXPECT_TRUE(kind == Any || (found->windowClass == kinds[kind].windowClass &&
                                    (found->style & DWORD(kinds[kind].id)) == kinds[kind].style))
            << "control " << id;
    };
    for (LANGID language : {kEnglish, kJapanese}) {
        for (const std::vector<int>& row : rows) {
            const std::vector<Control> controls = Create(row[0], language);
            for (size_t i = 2; i < row.size(); ++i) {
                expect(controls, row[i], row[1]);
            }
        }
        for (const auto& [number, table] : helpTables) {
            const std::vector<Control> controls = Create(number, language);
            for (const DWORD* p = table; p[0] != 0; p += 2) {
                expect(controls, int(p[0]), Any);
            }
        }
    }
}

// The 34 help texts exist in Japanese only, in Japanese text, their lines separated by CR LF
// except the last break of 905 and 906, which is a LF alone.
TEST(HelpTexts, JapaneseOnlyAndWellFormed) {
    for (int id = IDS_FIRST_HELP_TEXT; id <= IDS_LAST_HELP_TEXT; ++id) {
        ASSERT_TRUE(Bytes(RT_STRING, id / 16 + 1, kEnglish).empty());
        std::span<const BYTE> block = Bytes(RT_STRING, id / 16 + 1, kJapanese);
        std::wstring text;
        for (size_t at = 0, entry = 0; entry <= size_t(id % 16);
             ++entry, at += 2 + 2 * text.size()) {
            ASSERT_LE(at + 2, block.size()) << id;
            const WORD length = WORD(block[at] | block[at + 1] << 8);
            ASSERT_LE(at + 2 + 2 * length, block.size()) << id;
            text.assign(reinterpret_cast<const wchar_t*>(block.data() + at + 2), length);
        }
        EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x3000; }));
        std::wstring breaks; // 'C' for CR LF, 'L' for LF alone, '?' for CR alone
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == L'\r') {
                breaks += i + 1 < text.size() && text[++i] == L'\n' ? L'C' : L'?';
            } else if (text[i] == L'\n') {
                breaks += L'L';
            }
        }
        const bool loneLast = id == 905 || id == 906;
        std::wstring expected(loneLast ? std::max<size_t>(breaks.size(), 1) - 1 : breaks.size(),
                              'C');
        EXPECT_EQ(breaks, loneLast ? expected + L"L" : expected) << id;
    }
}

// The logo is 128 x 43 at 4 bits a pixel, each icon group has its images, the version is 1.31.
TEST(ModuleResources, LogoIconsAndVersion) {
    std::span<const BYTE> logo = Bytes(RT_BITMAP, IDB_LOGO, LANG_NEUTRAL);
    ASSERT_GE(logo.size(), sizeof(BITMAPINFOHEADER) + 16 * 4 + 43 * 64);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(logo.data());
    EXPECT_EQ(header->biWidth, 128);
    EXPECT_EQ(std::abs(header->biHeight), 43);
    EXPECT_EQ(header->biBitCount, 4);
    for (int number : {IDI_DOCUMENT_PAGE, IDI_INFO_PAGE}) {
        std::span<const BYTE> group = Bytes(RT_GROUP_ICON, number, LANG_NEUTRAL);
        const auto* words = reinterpret_cast<const WORD*>(group.data());
        ASSERT_TRUE(group.size() >= 6 + 14 && words[1] == 1 && group.size() >= 6 + words[2] * 14u)
            << "icon group " << number;
        for (WORD i = 0; i < words[2]; ++i) {
            const WORD image = WORD(group[6 + i * 14 + 12] | group[6 + i * 14 + 13] << 8);
            EXPECT_FALSE(Bytes(RT_ICON, image, LANG_NEUTRAL).empty()) << number;
        }
    }
    DWORD handle = 0;
    std::vector<BYTE> data(GetFileVersionInfoSizeW(Path().c_str(), &handle));
    ASSERT_FALSE(data.empty()) << "no version information";
    ASSERT_TRUE(GetFileVersionInfoW(Path().c_str(), 0, data.size(), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x0001001Fu) << "version 1.31";
}

} // namespace

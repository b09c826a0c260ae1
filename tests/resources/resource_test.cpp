// The resources of the built module as the platform reads them, checked for what can go wrong:
// the English and Japanese templates of a dialog holding different controls, a control the code
// addresses missing or of another class, and the help texts, logo, icons and version missing or
// malformed.
#include "resources/resource.h"
#include "ui/help.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// The module as a Windows program sees it: the build tree's Unix path is on drive Z:.
const HMODULE kModule = LoadLibraryExW(L"Z:" VORIKAUI_DLL, nullptr, LOAD_LIBRARY_AS_DATAFILE);

std::span<const BYTE> Bytes(LPCWSTR type, int name, LANGID language) {
    HRSRC info = FindResourceExW(kModule, type, MAKEINTRESOURCEW(name), language);
    const void* data = info ? LockResource(LoadResource(kModule, info)) : nullptr;
    return data ? std::span(static_cast<const BYTE*>(data), SizeofResource(kModule, info))
                : std::span<const BYTE>();
}

// A control as the code drives it: its ID, its class, and for buttons and edits the kind
// ("Button 3": an automatic check box); the dialog itself comes first, as ID 0.
struct Control {
    int id;
    std::wstring kind;
    DWORD style;
    bool operator==(const Control&) const = default;
};

// The controls the platform's dialog manager makes from the template in one language, in
// template order (the tab order).
std::vector<Control> Create(int number, LANGID language) {
    std::vector<Control> controls;
    std::span<const BYTE> bytes = Bytes(RT_DIALOG, number, language);
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND dialog = bytes.empty()
                      ? nullptr
                      : CreateDialogIndirectParamW(
                            kModule, reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), owner,
                            [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return 0; }, 0);
    EXPECT_NE(dialog, nullptr) << "template " << number << " in language " << language;
    for (HWND c = dialog; c != nullptr; c = GetWindow(c, c == dialog ? GW_CHILD : GW_HWNDNEXT)) {
        WCHAR name[64] = {};
        GetClassNameW(c, name, 64);
        const auto style = DWORD(GetWindowLongW(c, GWL_STYLE)) & ~WS_VISIBLE;
        std::wstring kind = c == dialog ? L"" : name;
        kind += kind == L"Button" ? L" " + std::to_wstring(style & BS_TYPEMASK)
                : kind == L"Edit" ? L" " + std::to_wstring(style & ES_MULTILINE)
                                  : L"";
        controls.push_back({c == dialog ? 0 : GetDlgCtrlID(c), kind, style});
    }
    DestroyWindow(owner);
    return controls;
}

// Only captions, fonts, positions and sizes differ between the two languages (the Japanese
// image-correction page places the Text and Photo buttons right after Details). The controls a help
// table names exist, the spins as scroll bars and the information text as a multi-line edit.
TEST(DialogTemplates, BothLanguagesHoldTheControlsTheCodeAddressesInTheSameOrder) {
    const std::wstring bar = L"ScrollBar", any;
    const auto ids = [](const DWORD* table) {
        std::vector<int> ids;
        for (; table[0] != 0; table += 2) {
            ids.push_back(int(table[0]));
        }
        return ids;
    };
    const std::tuple<int, std::wstring, std::vector<int>> rows[] = {
        {1, bar, {IDC_WIDTH_SPIN, IDC_LENGTH_SPIN, IDC_OFFSET_X_SPIN, IDC_OFFSET_Y_SPIN}},
        {2, bar, {IDC_BRIGHTNESS_BAR, IDC_CONTRAST_BAR, IDC_GAMMA_BAR, IDC_LOWCUT_PRE_SPIN}},
        {3, bar, {IDC_BACK_SPIN, IDC_FRONT_SPIN, IDC_LEFT_SPIN, IDC_RIGHT_SPIN}},
        {4, L"Edit 4", {IDC_INFO_TEXT}},
        {6, bar, {IDC_PRESET_SCROLL}},
        {IDD_MATERIAL_PAGE, any, ids(material::aPaperDlgHelpIDs)},
        {IDD_CORRECTION_PAGE, any, ids(correction::aPaperDlgHelpIDs)},
        {IDD_DETAILS, any, ids(correction::aDetailsDlgHelpIDs)},
        {IDD_SLOPE_PAGE, any, ids(slope::aPaperDlgHelpIDs)}};
    for (int number = IDD_MATERIAL_PAGE; number <= IDD_WARNING; ++number) {
        const std::vector<Control> english = Create(number, kEnglish);
        std::vector<Control> japanese = Create(number, kJapanese);
        const auto at = [&](int id) {
            return std::find_if(japanese.begin() + 1, japanese.end(),
                                [id](const Control& c) { return c.id == id; });
        };
        if (number == IDD_CORRECTION_PAGE) {
            ASSERT_EQ(std::pair(at(IDC_TYPE_TEXT), at(IDC_TYPE_PHOTO)),
                      std::pair(at(IDC_DETAILS) + 1, at(IDC_DETAILS) + 2));
            std::rotate(at(IDC_TYPE_TEXT), at(IDC_TYPE_PHOTO) + 1, japanese.end());
        }
        EXPECT_GT(english.size(), 1u) << number;
        EXPECT_TRUE(english == japanese) << "template " << number;
        for (const auto& [dialog, kind, controls] : rows) {
            for (int id : dialog == number ? controls : std::vector<int>()) {
                ASSERT_NE(at(id), japanese.end()) << "control " << id << " of " << number;
                EXPECT_TRUE(kind.empty() || at(id)->kind == kind) << "control " << id;
            }
        }
    }
}

// The 34 help texts exist in Japanese only, in Japanese text, their lines separated by CR LF
// except the last break of 905 and 906, which is a LF alone.
TEST(HelpTexts, JapaneseOnlyAndWellFormed) {
    for (int id = IDS_FIRST_HELP_TEXT; id <= IDS_LAST_HELP_TEXT; ++id) {
        ASSERT_TRUE(Bytes(RT_STRING, id / 16 + 1, kEnglish).empty());
        const wchar_t* at = nullptr; // the text in place, found in the only language it has
        std::wstring text(at, std::max(0, LoadStringW(kModule, id, LPWSTR(&at), 0)));
        EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x3000; }));
        const size_t last = text.rfind(L'\n');
        const bool lone = last != text.npos && (last == 0 || text[last - 1] != L'\r');
        EXPECT_EQ(lone, id == 905 || id == 906) << id;
        text.insert(lone ? last : 0, lone ? L"\r" : L""); // then no CR or LF but in a CR LF
        EXPECT_FALSE(std::regex_search(text, std::wregex(L"\r(?!\n)|(^|[^\r])\n"))) << id;
    }
}

// The logo is 128 x 43 at 4 bits a pixel, both page icons are there, the version is 1.31.
TEST(ModuleResources, LogoIconsAndVersion) {
    std::span<const BYTE> logo = Bytes(RT_BITMAP, IDB_LOGO, LANG_NEUTRAL);
    ASSERT_GE(logo.size(), sizeof(BITMAPINFOHEADER) + 16 * 4 + 43 * 64);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(logo.data());
    EXPECT_EQ(std::tuple(header->biWidth, std::abs(header->biHeight), header->biBitCount),
              std::tuple(128L, 43L, WORD{4}));
    EXPECT_FALSE(Bytes(RT_GROUP_ICON, IDI_DOCUMENT_PAGE, LANG_NEUTRAL).empty() ||
                 Bytes(RT_GROUP_ICON, IDI_INFO_PAGE, LANG_NEUTRAL).empty());
    // The fixed part follows the block's header and its key "VS_VERSION_INFO", at byte 40.
    std::span<const BYTE> version = Bytes(RT_VERSION, VS_VERSION_INFO, LANG_NEUTRAL);
    ASSERT_GE(version.size(), 40 + sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(version.data() + 40);
    EXPECT_EQ(std::pair(fixed->dwSignature, fixed->dwFileVersionMS),
              std::pair(0xFEEF04BDul, 0x0001001Ful))
        << "version 1.31";
}

} // namespace

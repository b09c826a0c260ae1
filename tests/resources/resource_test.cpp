// The resources of the built module as the platform reads them, checked for what can go wrong:
// the English and Japanese templates of a dialog holding different controls, a control the code
// addresses missing or of another class, a control outside its dialog, and the help texts,
// logo, icons and version missing or malformed.
#include "resources/resource.h"
#include "ui/help.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr LANGID kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);

// The module's path as a Windows program sees it: the build tree's Unix path is on drive Z:.
std::wstring ModulePath() {
    std::wstring wide = L"Z:";
    for (char c : std::string(VORIKAUI_DLL)) {
        wide.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}

HMODULE Module() {
    static HMODULE module = LoadLibraryExW(ModulePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}

std::span<const BYTE> Bytes(LPCWSTR type, LPCWSTR name, LANGID language) {
    HRSRC info = FindResourceExW(Module(), type, name, language);
    HGLOBAL handle = info ? LoadResource(Module(), info) : nullptr;
    const void* data = handle ? LockResource(handle) : nullptr;
    return data ? std::span(static_cast<const BYTE*>(data), SizeofResource(Module(), info))
                : std::span<const BYTE>();
}

struct Control {
    int id;
    std::wstring windowClass;
    DWORD style;
    RECT rect; // in the dialog's client area
    bool operator==(const Control& o) const {
        return id == o.id && windowClass == o.windowClass && style == o.style;
    }
};

struct Dialog {
    DWORD style = 0;
    RECT client{};
    std::vector<Control> controls;
};

INT_PTR CALLBACK NoProcedure(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The dialog the platform's dialog manager makes from the template in one language, read back
// control by control in template order (the tab order).
Dialog Create(int number, LANGID language) {
    Dialog d;
    std::span<const BYTE> bytes = Bytes(RT_DIALOG, MAKEINTRESOURCEW(number), language);
    if (bytes.empty()) {
        ADD_FAILURE() << "template " << number << " missing in language " << language;
        return d;
    }
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                 nullptr, nullptr);
    HWND dialog = CreateDialogIndirectParamW(
        Module(), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), owner, NoProcedure, 0);
    EXPECT_NE(dialog, nullptr) << "template " << number << ": " << GetLastError();
    if (dialog != nullptr) {
        d.style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)) & ~WS_VISIBLE;
        GetClientRect(dialog, &d.client);
        for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            WCHAR name[64] = {};
            GetClassNameW(c, name, 64);
            Control control{
                GetDlgCtrlID(c), name, static_cast<DWORD>(GetWindowLongW(c, GWL_STYLE)), {}};
            GetWindowRect(c, &control.rect);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&control.rect), 2);
            d.controls.push_back(control);
        }
        DestroyWindow(dialog);
    }
    DestroyWindow(owner);
    return d;
}

// Only captions, fonts, positions and sizes may differ between the two languages; the Japanese
// image-correction page places the Text and Photo buttons right after Details.
TEST(DialogTemplates, EnglishAndJapaneseHoldTheSameControlsInTheSameOrder) {
    for (int number = IDD_MATERIAL_PAGE; number <= IDD_WARNING; ++number) {
        SCOPED_TRACE("template " + std::to_string(number));
        const Dialog english = Create(number, kEnglish);
        Dialog japanese = Create(number, kJapanese);
        ASSERT_FALSE(english.controls.empty());
        EXPECT_EQ(english.style, japanese.style);
        if (number == IDD_CORRECTION_PAGE) {
            auto at = [&](int id) {
                return std::find_if(japanese.controls.begin(), japanese.controls.end(),
                                    [id](const Control& c) { return c.id == id; });
            };
            ASSERT_EQ(at(IDC_TYPE_TEXT), at(IDC_DETAILS) + 1);
            ASSERT_EQ(at(IDC_TYPE_PHOTO), at(IDC_DETAILS) + 2);
            std::rotate(at(IDC_TYPE_TEXT), at(IDC_TYPE_PHOTO) + 1, japanese.controls.end());
        }
        ASSERT_EQ(english.controls.size(), japanese.controls.size());
        for (size_t i = 0; i < english.controls.size(); ++i) {
            EXPECT_EQ(english.controls[i], japanese.controls[i])
                << "control #" << i << " (" << english.controls[i].id << " / "
                << japanese.controls[i].id << ")";
        }
        // A control flush with the dialog's edge may round one pixel past it.
        for (const Dialog* d : {&english, static_cast<const Dialog*>(&japanese)}) {
            for (const Control& c : d->controls) {
                EXPECT_TRUE(c.rect.left >= 0 && c.rect.top >= 0 &&
                            c.rect.right <= d->client.right + 1 &&
                            c.rect.bottom <= d->client.bottom + 1)
                    << "control " << c.id << " lies outside its dialog";
            }
        }
    }
}

// The controls the pages and dialogs drive, and those a help table names, exist in both languages
// with the class (and for buttons the kind) the code drives them as.
TEST(DialogTemplates, EveryControlTheCodeAddressesExistsWithItsClass) {
    const std::tuple<int, const wchar_t*, DWORD, std::vector<int>> rows[] = {
        {1, L"Edit", 0, {IDC_WIDTH_EDIT, IDC_LENGTH_EDIT, IDC_OFFSET_X_EDIT, IDC_OFFSET_Y_EDIT}},
        {1,
         L"ScrollBar",
         0,
         {IDC_WIDTH_SPIN, IDC_LENGTH_SPIN, IDC_OFFSET_X_SPIN, IDC_OFFSET_Y_SPIN}},
        {1, L"Button", BS_AUTORADIOBUTTON, {IDC_UNIT_MM, IDC_UNIT_INCH, IDC_COMPRESSION_TIFF}},
        {1,
         L"Button",
         BS_AUTOCHECKBOX,
         {IDC_PRINT_FROM_BOTTOM, IDC_BIDIRECTION, IDC_EXTENDED_SIZE}},
        {1, L"Button", BS_PUSHBUTTON, {IDC_ABOUT, IDC_SAVE_SETTINGS, IDC_LOAD_SETTINGS}},
        {1, L"ComboBox", 0, {IDC_RESOLUTION_LIST}},
        {1, L"Static", 0, {IDC_WORK_VIEW, IDC_MATERIAL_LOGO_AREA}},
        {2,
         L"Edit",
         0,
         {IDC_BRIGHTNESS_EDIT, IDC_CONTRAST_EDIT, IDC_GAMMA_EDIT, IDC_LOWCUT_PRE_EDIT}},
        {2,
         L"ScrollBar",
         0,
         {IDC_BRIGHTNESS_BAR, IDC_CONTRAST_BAR, IDC_GAMMA_BAR, IDC_LOWCUT_PRE_SPIN}},
        {2,
         L"ComboBox",
         0,
         {IDC_MATERIAL_LIST, IDC_COLORS_LIST, IDC_DITHER_LIST, IDC_DRAFTING_LIST}},
        {2, L"Button", BS_AUTORADIOBUTTON, {IDC_TYPE_TEXT, IDC_TYPE_PHOTO}},
        {2, L"Button", BS_AUTOCHECKBOX, {IDC_MIRROR, IDC_NEGATIVE, IDC_LOWCUT}},
        {2, L"Static", 0, {IDC_TONE_CURVE}},
        {3, L"Edit", 0, {IDC_BACK_EDIT, IDC_FRONT_EDIT, IDC_LEFT_EDIT, IDC_RIGHT_EDIT}},
        {3, L"ScrollBar", 0, {IDC_BACK_SPIN, IDC_FRONT_SPIN, IDC_LEFT_SPIN, IDC_RIGHT_SPIN}},
        {3, L"Button", BS_AUTOCHECKBOX, {IDC_CORRECT_SLOPE}},
        {3, L"Button", BS_PUSHBUTTON, {IDC_TEST_PRINT, IDC_TEST_PRINT_1, IDC_TEST_PRINT_0}},
        {3, L"Static", 0, {IDC_LEFT_RIGHT_RATIO, IDC_FRONT_BACK_RATIO}},
        {4, L"Edit", ES_MULTILINE, {IDC_INFO_TEXT}},
        {6, L"Edit", 0, {IDC_NAME_EDIT, IDC_SPEED_EDIT, IDC_IMPACT_MIN_EDIT, IDC_IMPACT_MAX_EDIT}},
        {6, L"ScrollBar", 0, {IDC_PRESET_SCROLL}},
    };
    const std::pair<int, const DWORD*> helpTables[] = {
        {IDD_MATERIAL_PAGE, material::aPaperDlgHelpIDs},
        {IDD_CORRECTION_PAGE, correction::aPaperDlgHelpIDs},
        {IDD_DETAILS, correction::aDetailsDlgHelpIDs},
        {IDD_SLOPE_PAGE, slope::aPaperDlgHelpIDs}};
    for (LANGID language : {kEnglish, kJapanese}) {
        auto find = [](const Dialog& d, int id) {
            return std::find_if(d.controls.begin(), d.controls.end(),
                                [id](const Control& c) { return c.id == id; });
        };
        for (const auto& [number, windowClass, kind, ids] : rows) {
            const Dialog d = Create(number, language);
            for (int id : ids) {
                auto found = find(d, id);
                ASSERT_NE(found, d.controls.end()) << "control " << id << " of " << number;
                EXPECT_EQ(found->windowClass, windowClass) << "control " << id;
                const DWORD mask = std::wstring(windowClass) == L"Button" ? BS_TYPEMASK : kind;
                EXPECT_EQ(found->style & mask, kind) << "control " << id;
            }
        }
        for (const auto& [number, table] : helpTables) {
            const Dialog d = Create(number, language);
            for (const DWORD* p = table; p[0] != 0; p += 2) {
                EXPECT_NE(find(d, int(p[0])), d.controls.end()) << p[0] << " of " << number;
            }
        }
    }
}

// The 34 help texts exist in Japanese only, one for each string number, in Japanese text, their
// lines separated by CR LF except the last break of 905 and 906, which is a LF alone.
TEST(HelpTexts, JapaneseOnlyAndWellFormed) {
    for (UINT id = IDS_FIRST_HELP_TEXT; id <= IDS_LAST_HELP_TEXT; ++id) {
        SCOPED_TRACE("string " + std::to_string(id));
        LPCWSTR block = MAKEINTRESOURCEW(id / 16 + 1);
        ASSERT_TRUE(Bytes(RT_STRING, block, kEnglish).empty());
        std::span<const BYTE> bytes = Bytes(RT_STRING, block, kJapanese);
        std::wstring text;
        for (size_t offset = 0, entry = 0; entry <= id % 16; ++entry) {
            WORD length = 0;
            ASSERT_LE(offset + 2, bytes.size());
            std::memcpy(&length, bytes.data() + offset, 2);
            ASSERT_LE(offset + 2 + length * 2u, bytes.size());
            text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + offset + 2), length);
            offset += 2 + length * 2u;
        }
        ASSERT_FALSE(text.empty());
        EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x3000; }));
        int loneLf = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            EXPECT_FALSE(text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n'));
            loneLf += text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r');
        }
        const size_t lastBreak = text.rfind(L'\n');
        EXPECT_EQ(loneLf, id == 905 || id == 906 ? 1 : 0);
        if (loneLf == 1) {
            EXPECT_NE(text[lastBreak - 1], L'\r') << "the lone LF is the last break";
        }
    }
}

// The logo is 128 x 43 at 4 bits a pixel, each icon group has its images, the version is 1.31.
TEST(ModuleResources, LogoIconsAndVersion) {
    std::span<const BYTE> logo = Bytes(RT_BITMAP, MAKEINTRESOURCEW(IDB_LOGO), kNeutral);
    ASSERT_GE(logo.size(), sizeof(BITMAPINFOHEADER) + 16 * 4 + 43 * 64);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(logo.data());
    EXPECT_EQ(
        (std::array<LONG, 3>{header->biWidth, std::abs(header->biHeight), header->biBitCount}),
        (std::array<LONG, 3>{128, 43, 4}));
    for (int number : {IDI_DOCUMENT_PAGE, IDI_INFO_PAGE}) {
        std::span<const BYTE> group = Bytes(RT_GROUP_ICON, MAKEINTRESOURCEW(number), kNeutral);
        ASSERT_GE(group.size(), 6u + 14u) << "icon " << number;
        const auto* words = reinterpret_cast<const WORD*>(group.data());
        ASSERT_EQ(words[1], 1) << "not an icon group";
        ASSERT_GE(group.size(), 6u + words[2] * 14u);
        for (WORD i = 0; i < words[2]; ++i) {
            const WORD image = *reinterpret_cast<const WORD*>(group.data() + 6 + i * 14 + 12);
            EXPECT_FALSE(Bytes(RT_ICON, MAKEINTRESOURCEW(image), kNeutral).empty());
        }
    }
    DWORD handle = 0;
    std::vector<BYTE> data(GetFileVersionInfoSizeW(ModulePath().c_str(), &handle));
    ASSERT_FALSE(data.empty()) << "no version information";
    ASSERT_TRUE(GetFileVersionInfoW(ModulePath().c_str(), 0, data.size(), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x0001001Fu) << "version 1.31";
}

} // namespace

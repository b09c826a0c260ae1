// The resources of the built module, read back the way the platform reads them: every dialog
// template in English and Japanese, control by control, the Japanese help texts, the logo bitmap,
// the page icons and the version.
#include "tests/resources/dialog_template.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace {

using vorika::test::ControlClass;
using vorika::test::ControlClassName;
using vorika::test::DialogItem;
using vorika::test::DialogTemplate;
using vorika::test::ParseDialogTemplate;

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// What a control is, with the style bits its behaviour depends on.
enum class Kind {
    GroupBox,            // button, BS_GROUPBOX
    Label,               // static showing its text
    CentredLabel,        // static, SS_CENTER
    Frame,               // static frame (black, grey, white or etched)
    BlackFrame,          // static, SS_BLACKFRAME
    Edit,                // edit
    EditAutoScroll,      // single-line edit with ES_AUTOHSCROLL
    EditFixedWidth,      // single-line edit with border, no ES_AUTOHSCROLL
    EditInformation,     // multi-line read-only edit with border and both scroll bars
    VertScrollBar,       // scroll bar, SBS_VERT
    HorzScrollBar,       // scroll bar, SBS_HORZ
    CheckBox,            // button, BS_CHECKBOX or BS_AUTOCHECKBOX
    AutoCheckBox,        // button, BS_AUTOCHECKBOX
    AutoRadioButton,     // button, BS_AUTORADIOBUTTON
    PushButton,          // button, BS_PUSHBUTTON or BS_DEFPUSHBUTTON
    PlainPushButton,     // button, BS_PUSHBUTTON (not the default button)
    DropDownList,        // combo box, CBS_DROPDOWNLIST
    DropDownListVScroll, // combo box, CBS_DROPDOWNLIST with WS_VSCROLL
};

// Row flags. Shown and Hidden are always given; Group and TabStop require the bit where given
// and leave it unchecked where not.
constexpr unsigned Hidden = 0;
constexpr unsigned Shown = 1;
constexpr unsigned Group = 2;
constexpr unsigned TabStop = 4;

struct Rect {
    short x, y, cx, cy;
};

struct ExpectedControl {
    DWORD id;
    Kind kind;
    const wchar_t* text; // nullptr: the caption is not checked
    Rect rect;
    unsigned flags;
};

struct ExpectedTemplate {
    int number;
    LANGID language;
    const wchar_t* title;
    const Rect* origin; // nullptr: the position is not checked
    short cx, cy;
    const wchar_t* typeface; // nullptr: the font is not checked
    WORD pointSize;
    std::span<const ExpectedControl> controls;
    bool ordered; // the rows give the template order, which is the tab order
};

// The source's Japanese literals are UTF-16 code units as intended.
static_assert(L"ｲﾝﾁ"[0] == 0xFF72 && L"ｲﾝﾁ"[1] == 0xFF9D && L"ｲﾝﾁ"[2] == 0xFF81);
static_assert(L"［幅］"[0] == 0xFF3B && L"［幅］"[1] == 0x5E45 && L"［幅］"[2] == 0xFF3D);
static_assert(L"ＭＳ Ｐゴシック"[0] == 0xFF2D && L"ＭＳ Ｐゴシック"[2] == 0x0020 &&
              L"ＭＳ Ｐゴシック"[3] == 0xFF30 && L"ＭＳ Ｐゴシック"[6] == 0x30C3);
static_assert(L"速度／ｲﾝﾊﾟｸﾄ"[2] == 0xFF0F && L"ﾊﾞｰｼﾞｮﾝ"[1] == 0xFF9E);

constexpr const wchar_t* kShellFont = L"MS Shell Dlg";
constexpr const wchar_t* kGothicFont = L"ＭＳ Ｐゴシック";

// ---- Template 1: Material page ----

constexpr ExpectedControl kMaterialEnglish[] = {
    {199, Kind::GroupBox, L"Work Size", {5, 5, 225, 100}, Shown},
    {200, Kind::Label, L"&Width", {14, 32, 30, 8}, Shown},
    {202, Kind::EditAutoScroll, nullptr, {50, 30, 28, 12}, Shown | Group},
    {204, Kind::VertScrollBar, nullptr, {78, 30, 8, 13}, Shown},
    {201, Kind::Label, L"&Length", {14, 48, 32, 8}, Shown},
    {203, Kind::EditAutoScroll, nullptr, {50, 46, 28, 12}, Shown},
    {205, Kind::VertScrollBar, nullptr, {78, 46, 8, 13}, Shown},
    {206, Kind::Label, L"Offset", {92, 21, 26, 7}, Shown},
    {207, Kind::EditAutoScroll, nullptr, {90, 30, 28, 12}, Shown | Group},
    {209, Kind::VertScrollBar, nullptr, {118, 30, 8, 12}, Shown},
    {208, Kind::EditAutoScroll, nullptr, {90, 46, 28, 12}, Shown | Group},
    {210, Kind::VertScrollBar, nullptr, {118, 46, 8, 12}, Shown},
    {211, Kind::Label, L"Unit", {14, 63, 20, 8}, Shown},
    {212, Kind::AutoRadioButton, L"&Millimeters", {32, 75, 50, 10}, Shown | Group},
    {213, Kind::AutoRadioButton, L"&Inches", {32, 89, 50, 10}, Shown},
    {214, Kind::Label, L"&Resolution", {87, 63, 42, 9}, Hidden},
    {215, Kind::DropDownList, nullptr, {90, 75, 36, 30}, Hidden},
    {217, Kind::Frame, nullptr, {155, 24, 70, 70}, Hidden},
    {300, Kind::AutoCheckBox, L"Print from &bottom", {32, 115, 67, 9}, Shown},
    {301, Kind::AutoCheckBox, L"Bi-&Direction", {32, 130, 55, 9}, Shown},
    {302, Kind::AutoCheckBox, L"&Preview", {32, 145, 35, 9}, Hidden},
    {303, Kind::AutoCheckBox, L"&Upper-Left Origin", {32, 160, 67, 9}, Hidden},
    {304, Kind::GroupBox, L"Compression", {100, 115, 64, 60}, Hidden | Group},
    {305, Kind::AutoRadioButton, L"None(&1)", {105, 130, 50, 9}, Hidden},
    {306, Kind::AutoRadioButton, L"RunLength(&2)", {105, 145, 57, 9}, Hidden},
    {307, Kind::AutoRadioButton, L"Tiff(&3)", {105, 160, 50, 9}, Hidden},
    {400, Kind::PushButton, L"&About...", {170, 115, 60, 16}, Shown},
    {401, Kind::PushButton, L"&Help...", {170, 135, 60, 16}, Hidden},
    {403, Kind::PushButton, L"&Save Settings...", {170, 155, 60, 16}, Shown},
    {402, Kind::PushButton, L"L&oad Settings...", {170, 175, 60, 16}, Shown},
    {101, Kind::Frame, nullptr, {5, 185, 65, 20}, Hidden},
    {216, Kind::AutoCheckBox, L"&Extended Size", {90, 92, 63, 9}, Hidden},
};

constexpr ExpectedControl kMaterialJapanese[] = {
    {199, Kind::GroupBox, L"ﾜｰｸｻｲｽﾞ", {5, 5, 230, 105}, Shown},
    {200, Kind::Label, L"幅(&W):", {15, 30, 32, 8}, Shown},
    {202, Kind::EditAutoScroll, nullptr, {50, 28, 28, 12}, Shown | Group},
    {204, Kind::VertScrollBar, nullptr, {78, 27, 8, 14}, Shown},
    {201, Kind::Label, L"長さ(&L):", {15, 45, 30, 8}, Shown},
    {203, Kind::EditAutoScroll, nullptr, {50, 43, 28, 12}, Shown},
    {205, Kind::VertScrollBar, nullptr, {78, 42, 8, 14}, Shown},
    {206, Kind::Label, L"原点ｵﾌｾｯﾄ:", {89, 15, 38, 8}, Shown},
    {207, Kind::EditAutoScroll, nullptr, {90, 28, 28, 12}, Shown | Group},
    {209, Kind::VertScrollBar, nullptr, {118, 27, 8, 14}, Shown},
    {208, Kind::EditAutoScroll, nullptr, {90, 43, 28, 12}, Shown | Group},
    {210, Kind::VertScrollBar, nullptr, {118, 42, 8, 14}, Shown},
    {211, Kind::Label, L"単位:", {15, 60, 20, 8}, Shown},
    {212, Kind::AutoRadioButton, L"ﾐﾘﾒｰﾄﾙ(&M)", {30, 70, 50, 10}, Shown | Group},
    {213, Kind::AutoRadioButton, L"ｲﾝﾁ(&I)", {30, 85, 50, 10}, Shown},
    {214, Kind::Label, L"解像度(&R):", {85, 60, 32, 8}, Hidden},
    {215, Kind::DropDownList, nullptr, {90, 70, 36, 90}, Hidden},
    {217, Kind::Frame, nullptr, {155, 20, 80, 80}, Hidden},
    {300, Kind::AutoCheckBox, L"手前から印字(&B)", {30, 120, 60, 10}, Shown},
    {301, Kind::AutoCheckBox, L"双方向印字(&D)", {30, 135, 55, 10}, Shown},
    {302, Kind::AutoCheckBox, L"ﾌﾟﾚﾋﾞｭｰ(&P)", {30, 150, 48, 10}, Hidden},
    {303, Kind::AutoCheckBox, L"左上原点(&U)", {30, 165, 48, 10}, Hidden},
    {304, Kind::GroupBox, L"ﾃﾞｰﾀの圧縮", {95, 120, 60, 60}, Hidden | Group},
    {305, Kind::AutoRadioButton, L"非圧縮(&1)", {105, 135, 45, 9}, Hidden},
    {306, Kind::AutoRadioButton, L"ﾗﾝﾚﾝｸﾞｽ(&2)", {105, 150, 45, 9}, Hidden},
    {307, Kind::AutoRadioButton, L"Tiff(&3)", {105, 165, 40, 9}, Hidden},
    {400, Kind::PushButton, L"ﾊﾞｰｼﾞｮﾝ情報(&A)...", {160, 120, 60, 16}, Shown},
    {401, Kind::PushButton, L"ﾍﾙﾌﾟ(&H)...", {160, 145, 60, 16}, Hidden},
    {403, Kind::PushButton, L"設定保存(&S)...", {160, 170, 60, 16}, Shown},
    {402, Kind::PushButton, L"設定読込(&O)...", {160, 195, 60, 16}, Shown},
    {101, Kind::Frame, nullptr, {5, 205, 75, 30}, Hidden},
    {216, Kind::AutoCheckBox, L"領域拡大(&E)", {90, 93, 48, 10}, Hidden},
};

// ---- Template 2: Image correction page (Japanese: Text and Photo follow Details) ----

constexpr ExpectedControl kImageCorrectionEnglish[] = {
    {606, Kind::GroupBox, L"Correction Values", {5, 5, 225, 100}, Shown},
    {500, Kind::Label, L"Brightness", {19, 31, 35, 8}, Shown},
    {504, Kind::EditFixedWidth, nullptr, {55, 29, 20, 12}, Shown | TabStop},
    {501, Kind::HorzScrollBar, nullptr, {83, 30, 60, 10}, Shown},
    {502, Kind::Label, L"Dark", {84, 19, 24, 8}, Shown},
    {503, Kind::Label, L"Bright", {124, 20, 20, 8}, Shown},
    {510, Kind::Label, L"Contrast", {19, 57, 30, 8}, Shown},
    {511, Kind::EditFixedWidth, nullptr, {55, 55, 20, 12}, Shown | TabStop},
    {512, Kind::HorzScrollBar, nullptr, {84, 56, 60, 10}, Shown},
    {513, Kind::Label, L"Low", {84, 46, 24, 8}, Shown},
    {514, Kind::Label, L"High", {126, 46, 18, 8}, Shown},
    {520, Kind::Label, L"Gamma", {20, 82, 26, 8}, Shown},
    {522, Kind::EditFixedWidth, nullptr, {55, 80, 20, 12}, Shown | TabStop},
    {521, Kind::HorzScrollBar, nullptr, {84, 81, 60, 10}, Shown},
    {523, Kind::Label, L"Dark", {84, 70, 18, 8}, Shown},
    {524, Kind::Label, L"Bright", {124, 71, 23, 8}, Shown},
    {532, Kind::BlackFrame, nullptr, {155, 15, 70, 70}, Hidden},
    {531, Kind::PushButton, L"Set Standard", {155, 85, 60, 16}, Shown},
    {601, Kind::GroupBox, L"Material", {5, 105, 225, 46}, Shown},
    {600, Kind::DropDownListVScroll, nullptr, {55, 115, 90, 90}, Shown},
    {603, Kind::PushButton, L"Details...", {155, 114, 60, 16}, Shown},
    {701, Kind::Label, L"Colors", {10, 155, 40, 8}, Hidden},
    {700, Kind::DropDownListVScroll, nullptr, {5, 165, 50, 80}, Hidden},
    {703, Kind::Label, L"Dither Pattern", {60, 155, 40, 8}, Hidden},
    {702, Kind::DropDownListVScroll, nullptr, {55, 165, 50, 80}, Hidden},
    {705, Kind::Label, L"Drafting", {110, 155, 40, 8}, Hidden},
    {704, Kind::DropDownListVScroll, nullptr, {105, 165, 50, 80}, Hidden},
    {706, Kind::AutoCheckBox, L"Mirror Image", {160, 155, 65, 9}, Shown},
    {707, Kind::AutoCheckBox, L"Negative Image", {160, 170, 65, 9}, Hidden},
    {708, Kind::AutoCheckBox, L"LowCut", {160, 185, 37, 9}, Hidden},
    {709, Kind::EditFixedWidth, nullptr, {200, 180, 20, 12}, Hidden | TabStop},
    {711, Kind::VertScrollBar, nullptr, {220, 180, 8, 12}, Hidden},
    {710, Kind::EditFixedWidth, nullptr, {200, 195, 20, 12}, Hidden | TabStop},
    {712, Kind::VertScrollBar, nullptr, {220, 195, 8, 12}, Hidden},
    {102, Kind::BlackFrame, nullptr, {5, 185, 64, 20}, Hidden},
    {620, Kind::AutoRadioButton, L"Text", {60, 130, 35, 9}, Shown},
    {621, Kind::AutoRadioButton, L"Photo", {60, 140, 35, 9}, Shown},
};

constexpr ExpectedControl kImageCorrectionJapanese[] = {
    {606, Kind::GroupBox, L"補正値", {5, 6, 230, 105}, Shown},
    {500, Kind::Label, L" 明るさ", {15, 35, 30, 8}, Shown},
    {504, Kind::EditFixedWidth, nullptr, {50, 33, 20, 12}, Shown | TabStop},
    {501, Kind::HorzScrollBar, nullptr, {80, 34, 60, 10}, Shown},
    {502, Kind::Label, L"暗く", {80, 21, 18, 8}, Shown},
    {503, Kind::Label, L"明るく", {121, 22, 20, 8}, Shown},
    {510, Kind::Label, L"ｺﾝﾄﾗｽﾄ", {15, 60, 30, 8}, Shown},
    {511, Kind::EditFixedWidth, nullptr, {50, 58, 20, 12}, Shown | TabStop},
    {512, Kind::HorzScrollBar, nullptr, {80, 59, 60, 10}, Shown},
    {513, Kind::Label, L"低く", {80, 48, 18, 8}, Shown},
    {514, Kind::Label, L"高く", {127, 48, 20, 8}, Shown},
    {520, Kind::Label, L"ｶﾞﾝﾏ補正", {15, 85, 33, 8}, Shown},
    {522, Kind::EditFixedWidth, nullptr, {50, 83, 20, 12}, Shown | TabStop},
    {521, Kind::HorzScrollBar, nullptr, {80, 84, 60, 10}, Shown},
    {523, Kind::Label, L"暗め", {80, 74, 18, 8}, Shown},
    {524, Kind::Label, L"明るめ", {119, 74, 20, 8}, Shown},
    {532, Kind::BlackFrame, nullptr, {155, 18, 70, 70}, Hidden},
    {531, Kind::PushButton, L"標準に戻す", {155, 92, 60, 16}, Shown},
    {601, Kind::GroupBox, L"材質", {5, 110, 230, 58}, Shown},
    {600, Kind::DropDownListVScroll, nullptr, {50, 120, 90, 100}, Shown},
    {603, Kind::PushButton, L"詳細設定...", {155, 120, 60, 16}, Shown},
    {620, Kind::AutoRadioButton, L"テキスト", {55, 140, 35, 10}, Shown},
    {621, Kind::AutoRadioButton, L"フォト", {55, 155, 35, 10}, Shown},
    {701, Kind::Label, L"階調", {10, 175, 35, 8}, Hidden},
    {700, Kind::DropDownListVScroll, nullptr, {5, 185, 50, 80}, Hidden},
    {703, Kind::Label, L"ﾃﾞｨｻﾞﾊﾟﾀｰﾝ", {65, 175, 35, 8}, Hidden},
    {702, Kind::DropDownListVScroll, nullptr, {60, 185, 50, 80}, Hidden},
    {705, Kind::Label, L"ﾄﾞﾗﾌﾃｨﾝｸﾞ", {120, 175, 35, 8}, Hidden},
    {704, Kind::DropDownListVScroll, nullptr, {115, 185, 50, 80}, Hidden},
    {706, Kind::AutoCheckBox, L"ﾐﾗｰ", {175, 175, 60, 9}, Shown},
    {707, Kind::AutoCheckBox, L"ﾈｶﾞ（白黒反転）", {175, 190, 60, 9}, Hidden},
    {708, Kind::AutoCheckBox, L"ﾛｰｶｯﾄ", {175, 205, 29, 9}, Hidden},
    {709, Kind::EditFixedWidth, nullptr, {205, 204, 20, 12}, Hidden | TabStop},
    {711, Kind::VertScrollBar, nullptr, {225, 204, 8, 12}, Hidden},
    {710, Kind::EditFixedWidth, nullptr, {205, 219, 20, 12}, Hidden | TabStop},
    {712, Kind::VertScrollBar, nullptr, {225, 219, 8, 12}, Hidden},
    {102, Kind::BlackFrame, nullptr, {5, 205, 75, 30}, Hidden},
};

// ---- Template 3: Slope correction page ----

constexpr ExpectedControl kSlopeEnglish[] = {
    {800, Kind::GroupBox, L"", {5, 5, 225, 100}, Shown},
    {801, Kind::CheckBox, L"&Correct slope", {15, 20, 63, 9}, Shown},
    {802, Kind::Label, L"&Back", {108, 23, 30, 9}, Shown},
    {806, Kind::Edit, nullptr, {105, 35, 28, 12}, Shown},
    {810, Kind::VertScrollBar, nullptr, {133, 35, 8, 12}, Shown},
    {803, Kind::Label, L"&Front", {108, 63, 30, 9}, Shown},
    {807, Kind::Edit, nullptr, {105, 75, 28, 12}, Shown},
    {811, Kind::VertScrollBar, nullptr, {133, 75, 8, 12}, Shown},
    {804, Kind::Label, L"&Left", {68, 44, 30, 9}, Shown},
    {808, Kind::Edit, nullptr, {65, 56, 28, 12}, Shown},
    {813, Kind::VertScrollBar, nullptr, {93, 56, 8, 13}, Shown},
    {805, Kind::Label, L"&Right", {149, 43, 30, 9}, Shown},
    {809, Kind::Edit, nullptr, {147, 55, 28, 12}, Shown},
    {812, Kind::VertScrollBar, nullptr, {175, 55, 8, 13}, Shown},
    {815, Kind::Label, L"0", {107, 92, 15, 7}, Hidden},
    {814, Kind::Label, L"0", {192, 57, 15, 7}, Hidden},
    {816, Kind::PushButton, L"&Test print", {170, 115, 60, 16}, Shown},
    {817, Kind::PushButton, L"Test print &1", {170, 140, 60, 16}, Hidden},
    {818, Kind::PushButton, L"Test print &0", {170, 165, 60, 16}, Hidden},
    {103, Kind::BlackFrame, L"", {5, 185, 65, 20}, Hidden},
};

constexpr ExpectedControl kSlopeJapanese[] = {
    {800, Kind::GroupBox, L"", {5, 5, 230, 105}, Shown},
    {801, Kind::CheckBox, L"傾き補正を行う(&C)", {20, 20, 66, 10}, Shown},
    {802, Kind::Label, L"奥(&B)", {112, 24, 30, 8}, Shown},
    {806, Kind::Edit, nullptr, {111, 35, 28, 12}, Shown},
    {810, Kind::VertScrollBar, nullptr, {139, 34, 8, 14}, Shown},
    {803, Kind::Label, L"手前(&F)", {112, 63, 30, 8}, Shown},
    {807, Kind::Edit, nullptr, {111, 75, 28, 12}, Shown},
    {811, Kind::VertScrollBar, nullptr, {139, 74, 8, 14}, Shown},
    {804, Kind::Label, L"左(&L)", {72, 44, 30, 8}, Shown},
    {808, Kind::Edit, nullptr, {71, 56, 28, 12}, Shown},
    {813, Kind::VertScrollBar, nullptr, {99, 55, 8, 14}, Shown},
    {805, Kind::Label, L"右(&R)", {154, 45, 30, 8}, Shown},
    {809, Kind::Edit, nullptr, {153, 56, 28, 12}, Shown},
    {812, Kind::VertScrollBar, nullptr, {181, 55, 8, 14}, Shown},
    {815, Kind::Label, L"0", {111, 95, 15, 8}, Hidden},
    {814, Kind::Label, L"0", {201, 58, 15, 8}, Hidden},
    {816, Kind::PushButton, L"ﾃｽﾄ印字(&T)", {160, 120, 60, 16}, Shown},
    {817, Kind::PushButton, L"ﾃｽﾄ印字1(&1)", {160, 145, 60, 16}, Hidden},
    {818, Kind::PushButton, L"ﾃｽﾄ印字0(&0)", {160, 170, 60, 16}, Hidden},
    {103, Kind::BlackFrame, L"", {5, 205, 75, 30}, Hidden},
};

// ---- Template 4: printer information page ----

constexpr ExpectedControl kInformation[] = {
    {850, Kind::EditInformation, nullptr, {7, 7, 173, 79}, Shown},
};

// ---- Template 5: About ----

constexpr ExpectedControl kAbout[] = {
    {65535, Kind::CentredLabel, L"Velmar VORIKA Driver", {12, 26, 188, 8}, Shown},
    {65535, Kind::CentredLabel, L"Version 1.31", {12, 38, 188, 8}, Shown},
    {65535, Kind::GroupBox, nullptr, {8, 0, 196, 87}, Shown},
    {1, Kind::PushButton, L"OK", {80, 91, 52, 14}, Shown},
};

// ---- Template 6: Material details ----

constexpr ExpectedControl kDetailsEnglish[] = {
    {607, Kind::Label, L"Registration Name", {15, 10, 70, 8}, Shown},
    {604, Kind::Edit, nullptr, {15, 20, 100, 13}, Shown},
    {605, Kind::VertScrollBar, nullptr, {115, 17, 10, 20}, Shown},
    {602, Kind::GroupBox, L"Speed / Impact", {15, 50, 110, 90}, Shown},
    {612, Kind::Label, L"Speed(mm/s)", {25, 62, 60, 8}, Shown},
    {613, Kind::Edit, nullptr, {90, 60, 21, 12}, Shown},
    {608, Kind::Label, L"Impact--MIN", {25, 92, 60, 8}, Shown},
    {609, Kind::Edit, nullptr, {90, 90, 21, 12}, Shown},
    {610, Kind::Label, L"Impact--MAX", {25, 107, 60, 8}, Shown},
    {611, Kind::Edit, nullptr, {90, 105, 21, 12}, Shown},
    {630, Kind::PlainPushButton, L"OK", {5, 150, 60, 16}, Shown},
    {631, Kind::PlainPushButton, L"Cancel", {75, 150, 60, 16}, Shown},
};

constexpr ExpectedControl kDetailsJapanese[] = {
    {607, Kind::Label, L"登録名称", {10, 10, 30, 8}, Shown},
    {604, Kind::Edit, nullptr, {10, 20, 100, 14}, Shown},
    {605, Kind::VertScrollBar, nullptr, {110, 17, 10, 20}, Shown},
    {602, Kind::GroupBox, L"速度／ｲﾝﾊﾟｸﾄ", {10, 50, 110, 95}, Shown},
    {612, Kind::Label, L"Speed(mm/s)", {20, 67, 60, 8}, Shown},
    {613, Kind::Edit, nullptr, {85, 65, 20, 12}, Shown},
    {608, Kind::Label, L"Impact--MIN", {20, 97, 60, 8}, Shown},
    {609, Kind::Edit, nullptr, {85, 95, 20, 12}, Shown},
    {610, Kind::Label, L"Impact--MAX", {20, 112, 60, 8}, Shown},
    {611, Kind::Edit, nullptr, {85, 110, 20, 12}, Shown},
    {630, Kind::PlainPushButton, L"OK", {10, 155, 50, 16}, Shown},
    {631, Kind::PlainPushButton, L"キャンセル", {70, 155, 50, 16}, Shown},
};

// ---- Template 7: Warning ----

constexpr ExpectedControl kWarningEnglish[] = {
    {65535, Kind::GroupBox, nullptr, {5, 0, 180, 68}, Shown},
    {65535,
     Kind::CentredLabel,
     L"When marking is performed in an expanded area,\n"
     L"then depending on the material and the image,\n"
     L"unevenness in darkness may occur.",
     {7, 20, 175, 33},
     Shown},
    {1, Kind::PushButton, L"OK", {65, 75, 60, 16}, Shown},
};
constexpr ExpectedControl kWarningJapanese[] = {
    {65535, Kind::GroupBox, nullptr, {5, 0, 180, 75}, Shown},
    {65535,
     Kind::CentredLabel,
     L"拡大された領域に加工する場合、材料および画像により\n"
     L"仕上がりにむらが生じる場合があります。",
     {7, 30, 175, 22},
     Shown},
    {1, Kind::PushButton, L"OK", {65, 80, 60, 16}, Shown},
};

constexpr Rect kDetailsEnglishOrigin = {0, 0, 0, 0};
constexpr Rect kDetailsJapaneseOrigin = {50, 50, 0, 0};
constexpr Rect kWarningOrigin = {30, 50, 0, 0};

// ---- Helpers ----

std::string Utf8(const std::wstring& text) {
    if (text.empty()) {
        return "\"\"";
    }
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    std::string escaped;
    for (char c : out) {
        if (c == '\r') {
            escaped += "\\r";
        } else if (c == '\n') {
            escaped += "\\n";
        } else {
            escaped += c;
        }
    }
    return '"' + escaped + '"';
}

const char* LanguageName(LANGID language) {
    return language == kJapanese ? "Japanese" : "English";
}

// The module's path as a Windows program sees it: under Wine the build tree's Unix path is on
// drive Z:.
std::wstring ModulePath() {
    std::string path = VORIKAUI_DLL;
    std::wstring wide;
    if (!path.empty() && path[0] == '/') {
        wide = L"Z:";
    }
    for (char c : path) {
        wide.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}

HMODULE Module() {
    static HMODULE module = LoadLibraryExW(ModulePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
    reinterpret_cast<std::vector<LANGID>*>(param)->push_back(language);
    return TRUE;
}

// The languages in which the module holds one resource.
std::vector<LANGID> Languages(LPCWSTR type, LPCWSTR name) {
    std::vector<LANGID> languages;
    EnumResourceLanguagesW(Module(), type, name, CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

bool HasLanguage(LPCWSTR type, LPCWSTR name, LANGID language) {
    for (LANGID found : Languages(type, name)) {
        if (found == language) {
            return true;
        }
    }
    return false;
}

// The bytes of one resource, exactly SizeofResource of them; empty when it is missing.
std::span<const BYTE> ResourceBytes(LPCWSTR type, LPCWSTR name, LANGID language) {
    HRSRC info = FindResourceExW(Module(), type, name, language);
    if (info == nullptr) {
        return {};
    }
    HGLOBAL handle = LoadResource(Module(), info);
    const void* data = handle != nullptr ? LockResource(handle) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const BYTE*>(data), SizeofResource(Module(), info)};
}

std::span<const BYTE> AnyLanguageBytes(LPCWSTR type, LPCWSTR name) {
    HRSRC info = FindResourceW(Module(), name, type);
    if (info == nullptr) {
        return {};
    }
    HGLOBAL handle = LoadResource(Module(), info);
    const void* data = handle != nullptr ? LockResource(handle) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const BYTE*>(data), SizeofResource(Module(), info)};
}

ControlClass ClassOf(Kind kind) {
    switch (kind) {
    case Kind::Label:
    case Kind::CentredLabel:
    case Kind::Frame:
    case Kind::BlackFrame:
        return ControlClass::Static;
    case Kind::Edit:
    case Kind::EditAutoScroll:
    case Kind::EditFixedWidth:
    case Kind::EditInformation:
        return ControlClass::Edit;
    case Kind::VertScrollBar:
    case Kind::HorzScrollBar:
        return ControlClass::ScrollBar;
    case Kind::DropDownList:
    case Kind::DropDownListVScroll:
        return ControlClass::ComboBox;
    case Kind::GroupBox:
    case Kind::CheckBox:
    case Kind::AutoCheckBox:
    case Kind::AutoRadioButton:
    case Kind::PushButton:
    case Kind::PlainPushButton:
        break;
    }
    return ControlClass::Button;
}

// Checks the class and the style bits of one kind; each broken rule is one failure.
void ExpectKind(const std::string& where, Kind kind, const DialogItem& item) {
    const ControlClass expectedClass = ClassOf(kind);
    if (item.controlClass != expectedClass) {
        ADD_FAILURE() << where << ": class is " << ControlClassName(item.controlClass)
                      << ", expected " << ControlClassName(expectedClass);
        return;
    }

    const DWORD style = item.style;
    const DWORD buttonType = style & BS_TYPEMASK;
    const DWORD staticType = style & SS_TYPEMASK;
    auto rule = [&](bool holds, const char* text) {
        if (!holds) {
            ADD_FAILURE() << where << ": style 0x" << std::hex << style << std::dec
                          << " breaks the rule: " << text;
        }
    };
    switch (kind) {
    case Kind::GroupBox:
        rule(buttonType == BS_GROUPBOX, "group box (BS_GROUPBOX)");
        break;
    case Kind::Label:
        rule(staticType == SS_LEFT || staticType == SS_CENTER || staticType == SS_RIGHT ||
                 staticType == SS_SIMPLE || staticType == SS_LEFTNOWORDWRAP,
             "text static");
        break;
    case Kind::CentredLabel:
        rule(staticType == SS_CENTER, "centred text (SS_CENTER)");
        break;
    case Kind::Frame:
        rule(staticType == SS_BLACKFRAME || staticType == SS_GRAYFRAME ||
                 staticType == SS_WHITEFRAME || staticType == SS_ETCHEDFRAME,
             "frame static");
        break;
    case Kind::BlackFrame:
        rule(staticType == SS_BLACKFRAME, "black frame (SS_BLACKFRAME)");
        break;
    case Kind::Edit:
        break;
    case Kind::EditAutoScroll:
        rule((style & ES_MULTILINE) == 0, "single-line (no ES_MULTILINE)");
        rule((style & ES_AUTOHSCROLL) != 0, "horizontal auto-scroll (ES_AUTOHSCROLL)");
        break;
    case Kind::EditFixedWidth:
        rule((style & ES_MULTILINE) == 0, "single-line (no ES_MULTILINE)");
        rule((style & ES_AUTOHSCROLL) == 0, "no horizontal auto-scroll (no ES_AUTOHSCROLL)");
        rule((style & WS_BORDER) != 0, "border (WS_BORDER)");
        break;
    case Kind::EditInformation:
        rule((style & ES_MULTILINE) != 0, "multi-line (ES_MULTILINE)");
        rule((style & ES_READONLY) != 0, "read-only (ES_READONLY)");
        rule((style & WS_BORDER) != 0, "border (WS_BORDER)");
        rule((style & WS_VSCROLL) != 0, "vertical scroll bar (WS_VSCROLL)");
        rule((style & WS_HSCROLL) != 0, "horizontal scroll bar (WS_HSCROLL)");
        break;
    case Kind::VertScrollBar:
        rule((style & SBS_VERT) != 0, "vertical (SBS_VERT)");
        break;
    case Kind::HorzScrollBar:
        rule((style & SBS_VERT) == 0, "horizontal (no SBS_VERT)");
        break;
    case Kind::CheckBox:
        rule(buttonType == BS_CHECKBOX || buttonType == BS_AUTOCHECKBOX, "check box");
        break;
    case Kind::AutoCheckBox:
        rule(buttonType == BS_AUTOCHECKBOX, "auto check box (BS_AUTOCHECKBOX)");
        break;
    case Kind::AutoRadioButton:
        rule(buttonType == BS_AUTORADIOBUTTON, "auto radio button (BS_AUTORADIOBUTTON)");
        break;
    case Kind::PushButton:
        rule(buttonType == BS_PUSHBUTTON || buttonType == BS_DEFPUSHBUTTON, "push button");
        break;
    case Kind::PlainPushButton:
        rule(buttonType == BS_PUSHBUTTON, "push button, not the default (BS_PUSHBUTTON)");
        break;
    case Kind::DropDownList:
        rule((style & 3) == CBS_DROPDOWNLIST, "drop-down list (CBS_DROPDOWNLIST)");
        break;
    case Kind::DropDownListVScroll:
        rule((style & 3) == CBS_DROPDOWNLIST, "drop-down list (CBS_DROPDOWNLIST)");
        rule((style & WS_VSCROLL) != 0, "vertical scroll bar (WS_VSCROLL)");
        break;
    }
}

void ExpectField(const std::string& where, const char* field, long actual, long expected) {
    if (actual != expected) {
        ADD_FAILURE() << where << ": " << field << " is " << actual << ", expected " << expected;
    }
}

void ExpectControl(const std::string& where, const ExpectedControl& expected,
                   const DialogItem& item) {
    ExpectKind(where, expected.kind, item);
    if (expected.text != nullptr) {
        if (item.title.isOrdinal) {
            ADD_FAILURE() << where << ": caption is ordinal " << item.title.ordinal << ", expected "
                          << Utf8(expected.text);
        } else if (item.title.name != expected.text) {
            ADD_FAILURE() << where << ": caption is " << Utf8(item.title.name) << ", expected "
                          << Utf8(expected.text);
        }
    }
    ExpectField(where, "x", item.x, expected.rect.x);
    ExpectField(where, "y", item.y, expected.rect.y);
    ExpectField(where, "width", item.cx, expected.rect.cx);
    ExpectField(where, "height", item.cy, expected.rect.cy);
    const bool visible = (item.style & WS_VISIBLE) != 0;
    if (visible != ((expected.flags & Shown) != 0)) {
        ADD_FAILURE() << where << ": WS_VISIBLE is " << (visible ? "set" : "clear") << ", expected "
                      << (visible ? "clear (created hidden)" : "set");
    }
    if ((expected.flags & Group) != 0 && (item.style & WS_GROUP) == 0) {
        ADD_FAILURE() << where << ": WS_GROUP is clear, expected set (starts a group)";
    }
    if ((expected.flags & TabStop) != 0 && (item.style & WS_TABSTOP) == 0) {
        ADD_FAILURE() << where << ": WS_TABSTOP is clear, expected set";
    }
}

// Pairs each row with the template's control of that ID and class; several static items share
// one ID, so among those the one with the row's caption is taken first.
int FindControl(const ExpectedControl& expected, const DialogTemplate& parsed,
                const std::vector<bool>& used) {
    int fallback = -1;
    for (size_t index = 0; index < parsed.items.size(); ++index) {
        const DialogItem& item = parsed.items[index];
        if (used[index] || item.id != expected.id) {
            continue;
        }
        const bool groupBox =
            item.controlClass == ControlClass::Button && (item.style & BS_TYPEMASK) == BS_GROUPBOX;
        const bool sameClass = item.controlClass == ClassOf(expected.kind) &&
                               (expected.kind == Kind::GroupBox) == groupBox;
        const bool sameText =
            expected.text == nullptr || (!item.title.isOrdinal && item.title.name == expected.text);
        if (sameClass && sameText) {
            return static_cast<int>(index);
        }
        // A unique ID pairs whatever it names, so that the differences are reported.
        if (fallback < 0 && (sameClass || expected.id != 65535)) {
            fallback = static_cast<int>(index);
        }
    }
    return fallback;
}

std::string IdList(const std::vector<DWORD>& ids) {
    std::string text;
    for (DWORD id : ids) {
        text += (text.empty() ? "" : " ") + std::to_string(id);
    }
    return text;
}

void ExpectTemplate(const ExpectedTemplate& expected) {
    const std::string name = "template " + std::to_string(expected.number) + " (" +
                             LanguageName(expected.language) + ")";
    ASSERT_NE(Module(), nullptr) << "cannot load the module " << VORIKAUI_DLL;
    LPCWSTR resourceName = MAKEINTRESOURCEW(expected.number);
    const bool present = HasLanguage(RT_DIALOG, resourceName, expected.language);
    ASSERT_TRUE(present) << name << " is missing from the module";
    std::span<const BYTE> bytes = ResourceBytes(RT_DIALOG, resourceName, expected.language);
    ASSERT_FALSE(bytes.empty()) << name << " cannot be loaded";

    DialogTemplate parsed;
    std::string error;
    ASSERT_TRUE(ParseDialogTemplate(bytes, parsed, error)) << name << ": " << error;

    if (parsed.title != expected.title) {
        ADD_FAILURE() << name << ": title is " << Utf8(parsed.title) << ", expected "
                      << Utf8(expected.title);
    }
    if (expected.origin != nullptr) {
        ExpectField(name, "x", parsed.x, expected.origin->x);
        ExpectField(name, "y", parsed.y, expected.origin->y);
    }
    ExpectField(name, "width", parsed.cx, expected.cx);
    ExpectField(name, "height", parsed.cy, expected.cy);
    if (expected.typeface != nullptr) {
        if (!parsed.hasFont) {
            ADD_FAILURE() << name << ": no font (DS_SETFONT clear), expected "
                          << Utf8(expected.typeface);
        } else {
            if (parsed.typeface != expected.typeface) {
                ADD_FAILURE() << name << ": font is " << Utf8(parsed.typeface) << ", expected "
                              << Utf8(expected.typeface);
            }
            ExpectField(name, "point size", parsed.pointSize, expected.pointSize);
        }
    }
    ExpectField(name, "number of controls", static_cast<long>(parsed.items.size()),
                static_cast<long>(expected.controls.size()));

    std::vector<bool> used(parsed.items.size(), false);
    for (const ExpectedControl& control : expected.controls) {
        const std::string where = name + ", control " + std::to_string(control.id);
        int index = FindControl(control, parsed, used);
        if (index < 0) {
            ADD_FAILURE() << where << ": missing"
                          << (control.text != nullptr ? " (caption " + Utf8(control.text) + ")"
                                                      : std::string());
            continue;
        }
        used[static_cast<size_t>(index)] = true;
        ExpectControl(where, control, parsed.items[static_cast<size_t>(index)]);
    }
    for (size_t index = 0; index < parsed.items.size(); ++index) {
        if (!used[index]) {
            const DialogItem& item = parsed.items[index];
            ADD_FAILURE() << name << ": unexpected control " << item.id << " (0x" << std::hex
                          << item.id << std::dec << ", " << ControlClassName(item.controlClass)
                          << ", caption "
                          << (item.title.isOrdinal ? std::to_string(item.title.ordinal)
                                                   : Utf8(item.title.name))
                          << ")";
        }
    }

    if (expected.ordered) {
        std::vector<DWORD> actualOrder;
        std::vector<DWORD> expectedOrder;
        for (const DialogItem& item : parsed.items) {
            actualOrder.push_back(item.id);
        }
        for (const ExpectedControl& control : expected.controls) {
            expectedOrder.push_back(control.id);
        }
        if (actualOrder != expectedOrder) {
            ADD_FAILURE() << name << ": control order (tab order) is\n  " << IdList(actualOrder)
                          << "\nexpected\n  " << IdList(expectedOrder);
        }
    }
}

// ---- Dialog templates ----

TEST(DialogTemplates, MaterialPage) {
    ExpectTemplate(
        {1, kEnglish, L"Material", nullptr, 235, 210, kShellFont, 8, kMaterialEnglish, true});
    ExpectTemplate(
        {1, kJapanese, L"材料", nullptr, 239, 235, kGothicFont, 9, kMaterialJapanese, true});
}

TEST(DialogTemplates, ImageCorrectionPage) {
    ExpectTemplate({2, kEnglish, L"Image Correction", nullptr, 235, 210, kShellFont, 8,
                    kImageCorrectionEnglish, true});
    ExpectTemplate({2, kJapanese, L"画像補正", nullptr, 239, 235, kGothicFont, 9,
                    kImageCorrectionJapanese, true});
}

TEST(DialogTemplates, SlopeCorrectionPage) {
    ExpectTemplate(
        {3, kEnglish, L"Correct slope", nullptr, 235, 210, kShellFont, 8, kSlopeEnglish, true});
    ExpectTemplate(
        {3, kJapanese, L"傾き補正", nullptr, 239, 235, kGothicFont, 9, kSlopeJapanese, true});
}

TEST(DialogTemplates, InformationPage) {
    ExpectTemplate({4, kEnglish, L"Info.", nullptr, 187, 93, L"FixedSys", 14, kInformation, true});
    ExpectTemplate({4, kJapanese, L"情報", nullptr, 187, 93, L"FixedSys", 14, kInformation, true});
}

TEST(DialogTemplates, AboutDialog) {
    ExpectTemplate({5, kEnglish, L"About", nullptr, 212, 110, kShellFont, 8, kAbout, false});
    ExpectTemplate(
        {5, kJapanese, L"ﾊﾞｰｼﾞｮﾝ情報", nullptr, 212, 110, kGothicFont, 9, kAbout, false});
}

TEST(DialogTemplates, MaterialDetailsDialog) {
    ExpectTemplate({6, kEnglish, L"Details", &kDetailsEnglishOrigin, 139, 175, kShellFont, 8,
                    kDetailsEnglish, true});
    ExpectTemplate({6, kJapanese, L"詳細設定", &kDetailsJapaneseOrigin, 130, 179, kGothicFont, 9,
                    kDetailsJapanese, true});
}

TEST(DialogTemplates, WarningDialog) {
    ExpectTemplate(
        {7, kEnglish, L"Warning", &kWarningOrigin, 190, 98, nullptr, 0, kWarningEnglish, false});
    ExpectTemplate(
        {7, kJapanese, L"注意", &kWarningOrigin, 190, 101, nullptr, 0, kWarningJapanese, false});
}

// ---- Japanese help texts ----

struct ExpectedString {
    UINT id;
    const wchar_t* text;
};

// Lines end in CR LF, except the last break of 905 and 906, which is a LF alone.
constexpr ExpectedString kHelpTexts[] = {
    {901, L"任意サイズのワークの大きさを数値で設定します。\r\n単位は「ミリメートル」か「インチ」の"
          L"いずれかを選択します。"},
    {902, L"任意サイズのワークの「幅」を設定します。\r\n設定可能な範囲は、以下の通りです。\r\n最小"
          L"幅  5.1mm(0.20ｲﾝﾁ)\r\n最大幅 50.0mm(1.97ｲﾝﾁ)"},
    {903, L"任意サイズのワークの「長さ」を設定します。\r\n設定可能な範囲は、以下の通りです。\r\n最"
          L"小幅  5.1mm(0.20ｲﾝﾁ) \r\n最大幅 50.0mm(1.97ｲﾝﾁ)"},
    {904, L"オフセットの大きさを数値で設定します。\r\n単位は「ミリメートル」か「インチ」のいずれか"
          L"を選択します。"},
    {905, L"横方向のオフセット量を設定します。\r\n設定可能な範囲は、以下の通りです。\r\n最小値 "
          L"-3.0mm(-0.12ｲﾝﾁ)\n最大値  3.0mm( 0.12ｲﾝﾁ)"},
    {906, L"縦方向のオフセット量を設定します。\r\n設定可能な範囲は、以下の通りです。\r\n最小値 "
          L"-3.0mm(-0.12ｲﾝﾁ)\n最大値  3.0mm( 0.12ｲﾝﾁ)"},
    {907, L"［幅］と［長さ］の単位を設定します。"},
    {908, L"［幅］と［長さ］の単位を「ミリメートル」に設定します。"},
    {909, L"［幅］と［長さ］の単位を「インチ」に設定します。"},
    {910, L"ワークの大きさを示します。"},
    {911, L"手前からデータを印字するかしないかを選択します。"},
    {912, L"双方向作図をするかしないかを選択します。"},
    {913, L"ドライバーのバージョン情報や著作権を表示します。"},
    {914, L"オンラインヘルプの目次ページを表示します。"},
    {915, L"ドライバーの設定を保存することができます。"},
    {916, L"ドライバーの設定を読み込むことができます。"},
    {917, L"データを調整します。グラフはデータの明るさに対する打刻力の強さを表します。"},
    {918, L"画像の明るさを調整します。数値を大きくすると、画像が明るくなります。初期値は 0 です。"},
    {919, L"画像のコントラストを調整します。数値を大きくすると、コントラストが強くなります。初期値"
          L"は 0 です。"},
    {920, L"画像のガンマ補正値を設定します。初期値は 0.5 です。"},
    {921, L"補正値を全て初期設定に戻します。"},
    {922, L"使用する材料を選択します。"},
    {923, L"印字の速度および強さを指定することが出来ます。"},
    {924, L"文字を印字する場合に選びます。"},
    {925, L"写真イメージなどを印字する場合に選びます。"},
    {926, L"左右反転プリントします。"},
    {927, L"登録されている材料名を変更できます。"},
    {928, L"登録されている他の材料を選択できます。"},
    {929, L"印字速度や印字する強さを設定して記憶させることができます。"},
    {930, L"印字速度を設定できます。"},
    {931, L"印字する強さの最小値を設定できます。"},
    {932, L"印字する強さの最大値を設定できます。"},
    {933, L"傾き補正を行います。テスト印字の結果を入力してください。"},
    {934, L"傾き補正のためのテスト印字を行います。"},
};

static_assert(std::size(kHelpTexts) == 34);

// One string of a string-table block: the block holds 16 length-prefixed strings.
bool StringFromBlock(std::span<const BYTE> block, UINT index, std::wstring& text) {
    size_t offset = 0;
    for (UINT entry = 0; entry <= index; ++entry) {
        WORD length = 0;
        if (block.size() - offset < sizeof length) {
            return false;
        }
        std::memcpy(&length, block.data() + offset, sizeof length);
        offset += sizeof length;
        if ((block.size() - offset) / sizeof(WCHAR) < length) {
            return false;
        }
        if (entry == index) {
            text.resize(length);
            std::memcpy(text.data(), block.data() + offset, length * sizeof(WCHAR));
            return true;
        }
        offset += length * sizeof(WCHAR);
    }
    return false;
}

TEST(HelpTexts, JapaneseStringsHoldTheirTexts) {
    ASSERT_NE(Module(), nullptr) << "cannot load the module " << VORIKAUI_DLL;
    for (const ExpectedString& expected : kHelpTexts) {
        LPCWSTR block = MAKEINTRESOURCEW(expected.id / 16 + 1);
        std::wstring text;
        if (!HasLanguage(RT_STRING, block, kJapanese) ||
            !StringFromBlock(ResourceBytes(RT_STRING, block, kJapanese), expected.id % 16, text)) {
            ADD_FAILURE() << "string " << expected.id << ": no Japanese string block";
            continue;
        }
        if (text != expected.text) {
            ADD_FAILURE() << "string " << expected.id << " is\n  " << Utf8(text) << "\nexpected\n  "
                          << Utf8(expected.text);
        }
    }
}

TEST(HelpTexts, ExistInJapaneseOnly) {
    ASSERT_NE(Module(), nullptr) << "cannot load the module " << VORIKAUI_DLL;
    for (UINT block = 901 / 16 + 1; block <= 934 / 16 + 1; ++block) {
        SCOPED_TRACE("string block " + std::to_string(block));
        std::vector<LANGID> languages = Languages(RT_STRING, MAKEINTRESOURCEW(block));
        ASSERT_EQ(languages.size(), 1u);
        EXPECT_EQ(languages[0], kJapanese);
    }
}

// ---- Bitmap, icons, version ----

TEST(ModuleResources, LogoIs128By43With16Colours) {
    ASSERT_NE(Module(), nullptr) << "cannot load the module " << VORIKAUI_DLL;
    std::span<const BYTE> bytes = AnyLanguageBytes(RT_BITMAP, MAKEINTRESOURCEW(100));
    ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER)) << "bitmap 100 missing or cut short";
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes.data(), sizeof header);
    EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(header.biWidth, 128);
    EXPECT_EQ(header.biHeight < 0 ? -header.biHeight : header.biHeight, 43);
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_TRUE(header.biClrUsed == 0 || header.biClrUsed == 16) << header.biClrUsed;
    // Header, 16-entry palette and 43 rows of 64 bytes (128 pixels at 4 bits, DWORD-aligned).
    if (header.biCompression == BI_RGB) {
        EXPECT_GE(bytes.size(), sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD) + 43 * 64);
    }
}

TEST(ModuleResources, PageIconsExistWithTheirImages) {
    ASSERT_NE(Module(), nullptr) << "cannot load the module " << VORIKAUI_DLL;
    for (WORD number : {WORD{502}, WORD{503}}) {
        SCOPED_TRACE("icon " + std::to_string(number));
        std::span<const BYTE> group = AnyLanguageBytes(RT_GROUP_ICON, MAKEINTRESOURCEW(number));
        ASSERT_GE(group.size(), 6u) << "group icon missing";
        WORD header[3];
        std::memcpy(header, group.data(), sizeof header);
        EXPECT_EQ(header[0], 0);
        EXPECT_EQ(header[1], 1) << "not an icon group";
        ASSERT_GE(header[2], 1);
        constexpr size_t kEntrySize = 14;
        ASSERT_GE(group.size(), 6 + header[2] * kEntrySize);
        for (WORD entry = 0; entry < header[2]; ++entry) {
            WORD imageId = 0;
            std::memcpy(&imageId, group.data() + 6 + entry * kEntrySize + 12, sizeof imageId);
            EXPECT_NE(FindResourceW(Module(), MAKEINTRESOURCEW(imageId), RT_ICON), nullptr)
                << "image " << imageId << " of the group is missing";
        }
    }
}

TEST(ModuleResources, VersionIs1_31) {
    const std::wstring path = ModulePath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    ASSERT_GT(size, 0u) << "no version information";
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x0001001Fu) << std::hex << fixed.dwFileVersionMS;

    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    WORD translation[2];
    std::memcpy(translation, value, sizeof translation);
    wchar_t query[64];
    wsprintfW(query, L"\\StringFileInfo\\%04x%04x\\FileVersion", translation[0], translation[1]);
    ASSERT_TRUE(VerQueryValueW(data.data(), query, &value, &length)) << "no FileVersion string";
    std::wstring version(static_cast<const wchar_t*>(value));
    EXPECT_TRUE(version == L"1.31" || version.rfind(L"1.31.", 0) == 0) << Utf8(version);
}

} // namespace

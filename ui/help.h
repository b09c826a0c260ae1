// Context help: the help file by the user's language, the control-to-context tables of every
// page and dialog, the help requests they make of the help engine where it can answer, and which
// of the module's own help strings belongs to a context.
#pragma once

#include <windows.h>

// The help file's full path in fixed global memory the caller frees with GlobalFree; null when
// the driver directory can't be had.
LPWSTR GetHelpFileName();

// Pairs of (control ID, help context), ended by (0, 0).
namespace material {
inline constexpr DWORD aPaperDlgHelpIDs[] = {
    199, 1100, 200, 1101, 202, 1101, 204, 1101, 201, 1102, 203, 1102, 205, 1102, 206, 1103,
    207, 1104, 209, 1104, 208, 1105, 210, 1105, 211, 1106, 212, 1107, 213, 1108, 217, 1109,
    300, 1110, 301, 1111, 400, 1112, 401, 1113, 403, 1114, 402, 1115, 0,   0};
} // namespace material

namespace correction {
inline constexpr DWORD aPaperDlgHelpIDs[] = {606, 1200, 500, 1201, 502, 1201, 503, 1201, 504, 1201,
                                             501, 1201, 510, 1202, 514, 1202, 513, 1202, 511, 1202,
                                             512, 1202, 520, 1203, 524, 1203, 523, 1203, 522, 1203,
                                             521, 1203, 532, 1200, 531, 1204, 601, 1205, 600, 1205,
                                             603, 1206, 620, 1207, 621, 1208, 706, 1209, 0,   0};
inline constexpr DWORD aDetailsDlgHelpIDs[] = {607, 1300, 604, 1300, 605, 1301, 602, 1302,
                                               612, 1303, 613, 1303, 608, 1304, 609, 1304,
                                               610, 1305, 611, 1305, 0,   0};
} // namespace correction

namespace slope {
inline constexpr DWORD aPaperDlgHelpIDs[] = {
    800, 1400, 801, 1400, 802, 1400, 806, 1400, 810, 1400, 803, 1400, 807, 1400, 811, 1400,
    804, 1400, 808, 1400, 813, 1400, 805, 1400, 809, 1400, 812, 1400, 816, 1401, 0,   0};
} // namespace slope

// The help context of a control in a table; 0 when the control has none.
DWORD FindHelpContext(const DWORD* table, int controlId);

// The help engine answers only where the help file is there and the system still ships the
// engine, which Windows dropped with Windows Vista (major version 6); an unknown version (0) counts
// as a system without it.
bool HelpEngineAnswers(bool helpFilePresent, DWORD majorVersion);

// Requests to the help engine, each made only where the engine answers; false when none was made,
// and then the module's own help answers.
// Help on a control (F1 or help mode), with the page's table.
bool ShowControlHelp(HWND control, const DWORD* table);
// Help for the control a context menu was asked on, with the page's table.
bool ShowContextMenuHelp(HWND clicked, const DWORD* table);
// The help contents, owned by the given window (may be null).
bool ShowHelpContents(HWND owner);

// The module's own help strings. Topic 0 is the driver's general topic; topics 1 to 34 are the
// help contexts 1100 to 1115, 1200 to 1209, 1300 to 1305, 1400 and 1401, in that order.
inline constexpr UINT kHelpTopics = 34;
// The topic of a help context; 0 for a context that has none.
UINT HelpTopicOf(DWORD context);
// Whether the help strings are read in Japanese: the user's default language is 1041.
bool HelpInJapanese();
// The string IDs of a topic's text and of its caption in the chosen language.
UINT HelpTextId(UINT topic, bool japanese);
UINT HelpCaptionId(UINT topic, bool japanese);
// The topics of a table's contexts in the order they first appear; returns how many were written
// (at most kHelpTopics).
UINT TableTopics(const DWORD* table, UINT (&topics)[kHelpTopics]);
// The string at `index` of a string-table block (16 counted strings) copied into `out` (always
// ended; cut to its size); false when the block holds no such string.
bool StringOfBlock(const WCHAR* block, size_t blockChars, UINT index, LPWSTR out, int outChars);

#ifdef _WIN32
// A dialog's WM_HELP or WM_CONTEXTMENU answered with its table: help on the control asked about,
// from the help engine or in the module's own popup beside the control.
INT_PTR AnswerHelpMessage(UINT message, WPARAM wParam, LPARAM lParam, const DWORD* table);
// A page's help (the sheet's Help button or the page's own): the engine's contents owned by
// `engineOwner`, or the module's help window of the page's topics over the page (the driver's
// general topic for a null table).
void ShowPageHelp(HWND engineOwner, HWND page, const DWORD* table);
#endif

// Drives the three pages and their dialogs under Wine as a user works them: pages made from the
// built module's templates on a UI context of a real printer; typing, clicks and scrolls as real
// messages; a modal dialog worked by a script inside its own message loop; drawing into a DIB
// section.
#pragma once
#ifdef _WIN32

#include "context/ui_context.h"
#include "tests/support/devmode_bytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// A UI context of a fresh printer, and one page of it made from a copy of its template turned
// into a child page as the property sheet turns it, shown in a popup standing for the sheet. The
// helpers work any dialog of the thread.
class PageTest : public ::testing::Test {
  public:
    // The changes the page told its sheet of (PSM_CHANGED), which enable the sheet's Apply.
    static int changesTold;

  protected:
    void SetUp() override { ASSERT_NE(ui_ = FillUiData(printer_.handle(), nullptr), nullptr); }
    void TearDown() override { DestroyWindow(GetParent(page_)), ReleaseUiData(ui_); }
    void Open(int templateId, DLGPROC procedure) { OpenWith(templateId, procedure, LPARAM(ui_)); }
    // The same with any parameter in the page record.
    void OpenWith(int templateId, DLGPROC procedure, LPARAM pageParam);
    PrinterSettings& Record() { return ui_->devmode.ps; }
    std::wstring Text(int id);

    // Focuses the edit field (which selects its text) and types the characters as keys would.
    static void TypeInto(HWND dialog, int id, const wchar_t* text);
    static void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }
    static void Scroll(HWND dialog, UINT message, int bar, int code) {
        SendMessageW(dialog, message, code, LPARAM(GetDlgItem(dialog, bar)));
    }
    // Context help asked on the control (WM_HELP, or WM_CONTEXTMENU from a right click): the text
    // of the help popup it opened, which must close when the focus leaves it; empty when none
    // opened.
    static std::wstring AskHelp(HWND dialog, int id, UINT message);
    // The next dialog of the thread to become active is worked by the script, which must end it.
    // An empty script withdraws one that no dialog took.
    static void ScriptNextDialog(std::function<void(HWND)> script);

    TestPrinter printer_{testdm::kKlv20};
    UiData* ui_ = nullptr;
    HWND page_ = nullptr;
};

// The colours (0xBBGGRR) at the points, after `draw` painted on a memory DC holding a 200 x 200
// top-down 32-bit DIB section filled with `fill`, for a popup page whose one child control is the
// drawing area.
std::vector<DWORD> DrawnColours(int areaId, RECT area, DWORD fill,
                                const std::function<void(HWND page, HDC dc)>& draw,
                                std::initializer_list<POINT> points);

#endif

// A property-sheet host of our own in place of the platform's, for the life of the object: it does
// what the platform's host does with a sheet function (initialise, add the pages, describe the
// header, let the user confirm or cancel, run each page's release step, deliver the result that
// step sets (or not, as Wine's host), destroy the sheet, hand the result to the caller) and
// records what it saw, with every DEVMODE-change broadcast.
#pragma once

#include "entry/sheet_host.h"
#include "tests/support/seam_override.h"
#include "tests/support/test_printer.h"

#include <vector>

struct TestSheetHost {
    // confirm: the user presses OK, the pages report the sheet applied; editedWidth: the work
    // width the user typed before. Windows' host delivers the result the release step sets;
    // Wine's does not (!deliversResult) and hands back the Result field as the destroy call
    // leaves it.
    explicit TestSheetHost(bool confirm = true, bool deliversResult = true,
                           SHORT editedWidth = 600);
    ~TestSheetHost();

    bool confirm;
    bool deliversResult;
    SHORT editedWidth;
    PFNPROPSHEETUI sheet = nullptr;
    PROPSHEETUI_INFO info{};
    std::vector<PROPSHEETPAGEW> pages;
    WORD headerFlags = 0;
    // The second word of the request header: a printer request's flags.
    WORD requestFlags = 0;
    // The device named by each broadcast to every top-level window; empty for any other message.
    std::vector<WString> broadcasts;
    std::vector<LPARAM> resultsSet; // each result a page asked the host to deliver
    int modulesHeld = 0;            // loads of the host not yet freed
    SeamOverride<SheetHostOps> seam;
};

// A KLV-20 printer with a 72 x 41 mm work size stored.
struct StoredPrinter : TestPrinter {
    StoredPrinter();
};

// The test print: one PJL command sent to the printer as a raw job, which makes it strike one
// of its built-in patterns.
#pragma once

#include "settings/driver_devmode.h"

#include <windows.h>

// The longest job text: the Universal Exit Language line and the command with the most negative
// pattern.
inline constexpr int kTestPrintJobMax = 40;

struct TestPrintJob {
    char text[kTestPrintJobMax + 1]; // ended by a NUL, which is not sent
    int length;
};

// The job text for a base resolution and a pattern. The KLV-20 (1016 dpi) takes the bare PJL
// line; every other base resolution gets the Universal Exit Language line first.
TestPrintJob BuildTestPrintJob(SHORT baseDpi, LONG pattern);

// How far a test print got. The page looks only at whether it was written; the console tool
// tells a technician why it was not.
enum class TestPrintOutcome { Written, NoPrinter, NoDocument, WriteFailed, WriteShort };

struct TestPrintReport {
    TestPrintOutcome outcome;
    DWORD length;  // bytes of the job text
    DWORD written; // bytes the spooler reported written
    DWORD error;   // the spooler's last error at the failing step, 0 when written
};

// Sends the job to the named printer (the one whose sheet asks for it), opened with the access a
// print job needs and the DEVMODE as its opening defaults. The DEVMODE's device name is not used:
// it holds the driver's name, which need not name this printer, or any.
TestPrintReport SendTestPrint(LPCWSTR printerName, const DriverDevMode* devmode, LONG pattern);

// 1 when the whole job text was written, 0 otherwise.
BOOL TestPrint(LPCWSTR printerName, const DriverDevMode* devmode, LONG pattern);

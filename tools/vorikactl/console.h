// How vorikactl reports a failure: one line on the standard error stream.
#pragma once

#include <windows.h>

// "vorikactl: WHAT "NAME"", then ": MESSAGE (N)" with the platform's message for the error code
// when it is not 0; returns 1, the exit status of a failed command.
int Fail(const char* what, LPCWSTR name, DWORD error = 0);

// "vorikactl: WHAT "NAME": DETAIL"; returns 1.
int FailWith(const char* what, LPCWSTR name, const char* detail);

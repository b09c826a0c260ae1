// How vorikactl reports a failure: one line on the standard error stream.
#pragma once

#include <windows.h>

// "vorikactl: WHAT "NAME" (error N)" with the error left out when it is 0; returns 1, the exit
// status of a failed command.
int Fail(const char* what, LPCWSTR name, DWORD error = 0);

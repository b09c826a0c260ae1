// Finding the property sheet that a call of this thread has open.
#pragma once

#include <windows.h>

// The first window of the calling thread that has a property sheet's tab control; null when the
// thread has none open.
HWND FindThreadSheet();

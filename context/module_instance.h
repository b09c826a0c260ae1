// The module's own instance.
#pragma once

#include <windows.h>

// The module's instance, set when the module is attached to a process: it holds the resources
// of the pages and of the sheet header, and names the module to the device data record.
inline HINSTANCE ghInstance = nullptr;

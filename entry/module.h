// The module's own state.
#pragma once

#include <windows.h>

// The module's instance: the resources of the pages and of the sheet header, set at attach.
extern HINSTANCE ghInstance;

// The material details dialog: browses the nine presets of the active material set and edits
// the five user presets on a working copy that reaches the record only on OK.
#pragma once

#include "context/ui_context.h"
#include "pages/correction/correction_model.h"

#include <windows.h>

// Runs the dialog modally over the parent; answers the command word of the button that ended it.
INT_PTR DetailsDlg(HINSTANCE instance, HWND parent, UiData* ui);
INT_PTR CALLBACK DetailsDlgFn(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the current preset and enables its fields when it is a user preset.
void SetMaterialParams(HWND dialog, MaterialWorkCopy* work);
// Reads the fields into the current preset.
void TakeInParams(HWND dialog, MaterialWorkCopy* work);

// CPresetFileDialog: the open and save dialogs of the preset files: owned by a window, started in
// a remembered folder, with a filter in the "Description (*.x)|*.x||" form and an empty default
// extension; the save dialog asks before overwriting.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CWnd;

class CPresetFileDialog {
public:
    // FALSE when cancelled. path and title (the name without folder and extension) on success.
    static BOOL Run(CWnd* owner, BOOL open, const CString& folder, const char* filter, CString* path,
                    CString* title);
};

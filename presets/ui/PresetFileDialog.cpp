#include "presets/ui/PresetFileDialog.h"

#include "controls/FileDialogST.h"
#include "platform/ui/WinUser.h"

#include <string>

BOOL CPresetFileDialog::Run(CWnd* owner, BOOL open, const CString& folder, const char* filter, CString* path,
                            CString* title) {
    // The dialog takes the NUL-separated form of the filter.
    std::string nul = filter ? filter : "";
    for (char& c : nul)
        if (c == '|')
            c = '\0';
    nul.push_back('\0');
    const std::string start = folder.GetString();
    const DWORD flags = OFN_HIDEREADONLY | (open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    CFileDialogST dlg(open, "", nullptr, flags, nul.c_str(), owner);
    dlg.m_ofn.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
    if (dlg.DoModal() != IDOK)
        return FALSE;
    if (path)
        *path = dlg.GetPathName();
    if (title)
        *title = dlg.GetFileTitle();
    return TRUE;
}

// CFileDialogST: the open and save file dialogs and the folder picker in one small class with
// its own buffers, splitting the chosen path into its parts.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/CommDlg.h"

class CWnd;

class CFileDialogST {
public:
    // Position of GetNextPathName: a place in the file text, null after the last path.
    using Position = const char*;

    CFileDialogST(BOOL openDialog, LPCTSTR defaultExt, LPCTSTR fileName, DWORD flags, LPCTSTR filter,
                  CWnd* parent);
    CFileDialogST();
    virtual ~CFileDialogST();
    CFileDialogST(const CFileDialogST&) = delete;
    CFileDialogST& operator=(const CFileDialogST&) = delete;

    // IDOK when the user chose, IDCANCEL otherwise (the buffers stay as they were).
    virtual int DoModal();
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileTitle() const;
    CString GetFileExt() const;
    CString GetFileDir() const;
    CString GetFileDrive() const;
    Position GetStartPosition() const;
    CString GetNextPathName(Position& pos) const;
    int BrowseForFolder(LPCTSTR title, LPARAM initialFolder, UINT flags, CWnd* parent);
    CString GetSelectedFolder() const;

    OPENFILENAME m_ofn;

private:
    void SplitPath(CString* drive, CString* dir, CString* name, CString* ext) const;

    BOOL m_bOpenDialog = TRUE;
    char m_szFile[MAX_PATH];
    char m_szFileTitle[MAX_PATH];
    char m_szSelectedFolder[MAX_PATH];
};

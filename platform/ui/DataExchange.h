// CDataExchange and the DDX_ routines: UpdateData(FALSE) attaches control members to the
// dialog's controls (DDX_Control subclasses the control with the same id) and fills controls
// from variables; UpdateData(TRUE) reads them back.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    // Set when a value failed to read; UpdateData then answers FALSE.
    bool m_failed = false;

    CWnd* PrepareCtrl(int id);
    void Fail() { m_failed = true; }
};

// Attaches control to the dialog's control id (once).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
// Check boxes: BST_ states.
void DDX_Check(CDataExchange* dx, int id, int& value);
// Radio groups: index of the checked button of the group starting at id (-1 none).
void DDX_Radio(CDataExchange* dx, int id, int& value);

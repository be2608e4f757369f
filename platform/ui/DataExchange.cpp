#include "platform/ui/DataExchange.h"

#include "platform/ui/Button.h"
#include "platform/ui/Wnd.h"

#include <cstdlib>

CWnd* CDataExchange::PrepareCtrl(int id) {
    return m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (!dx || control.m_hWnd)
        return;
    if (!control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd))
        dx->Fail();
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    CWnd* w = dx ? dx->PrepareCtrl(id) : nullptr;
    if (!w)
        return;
    if (dx->m_bSaveAndValidate)
        w->GetWindowText(value);
    else
        w->SetWindowText(value);
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    CWnd* w = dx ? dx->PrepareCtrl(id) : nullptr;
    if (!w)
        return;
    if (dx->m_bSaveAndValidate) {
        CString text;
        w->GetWindowText(text);
        text.Trim();
        char* end = nullptr;
        const long v = std::strtol(text.GetString(), &end, 10);
        if (text.IsEmpty() || !end || *end)
            dx->Fail();
        else
            value = static_cast<int>(v);
    } else {
        CString text;
        text.Format("%d", value);
        w->SetWindowText(text);
    }
}

void DDX_Text(CDataExchange* dx, int id, UINT& value) {
    int v = static_cast<int>(value);
    DDX_Text(dx, id, v);
    if (dx && dx->m_bSaveAndValidate && !dx->m_failed) {
        if (v < 0)
            dx->Fail();
        else
            value = static_cast<UINT>(v);
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    CWnd* w = dx ? dx->PrepareCtrl(id) : nullptr;
    if (!w)
        return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(w->SendMessage(BM_GETCHECK));
    else
        w->SendMessage(BM_SETCHECK, static_cast<WPARAM>(value));
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    CWnd* first = dx ? dx->PrepareCtrl(id) : nullptr;
    if (!first)
        return;
    CWnd* dlg = dx->m_pDlgWnd;
    // The group: from the first control up to the next WS_GROUP control.
    std::vector<CWnd*> group;
    bool in = false;
    for (CWnd* c : dlg->Children()) {
        if (c == first)
            in = true;
        else if (in && (c->GetStyle() & WS_GROUP))
            break;
        if (in && dynamic_cast<CButton*>(c))
            group.push_back(c);
    }
    if (dx->m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i)
            if (group[i]->SendMessage(BM_GETCHECK))
                value = static_cast<int>(i);
    } else {
        for (size_t i = 0; i < group.size(); ++i)
            group[i]->SendMessage(BM_SETCHECK, static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
    }
}

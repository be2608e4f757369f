// CPrintInfo: the state of one print job: its print dialog, page range (minimum 1, maximum
// 0xFFFF = open-ended until a job sets it), current page, drawing rectangle and page description.
#pragma once

#include "platform/ui/PrintDialog.h"

#include <memory>

class CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT page) { m_pPD->m_pd.nMinPage = static_cast<WORD>(page); }
    void SetMaxPage(UINT page) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(page); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    UINT GetFromPage() const { return static_cast<UINT>(m_pPD->GetFromPage()); }
    UINT GetToPage() const { return static_cast<UINT>(m_pPD->GetToPage()); }

    std::unique_ptr<CPrintDialog> m_pPD;
    BOOL m_bPreview = FALSE;
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    CString m_strPageDesc;
    CRect m_rectDraw;
};

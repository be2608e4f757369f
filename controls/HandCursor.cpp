#include "controls/HandCursor.h"

namespace {
constexpr UINT kHandCursorId = 213;
}

CHandCursor::CHandCursor() : m_hCursor(::CopyIcon(::LoadCursor(AfxGetResourceHandle(), kHandCursorId))) {}

CHandCursor::~CHandCursor() {
    if (m_hCursor)
        ::DestroyCursor(m_hCursor);
}

BOOL CHandCursor::Show(BOOL wanted) const {
    ::SetCursor(m_hCursor && wanted ? m_hCursor : ::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

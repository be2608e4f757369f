#include "platform/core/MessageTarget.h"

#include "platform/core/Messages.h"

CMessageTarget::~CMessageTarget() {
    UnregisterTarget();
}

HWND CMessageTarget::RegisterTarget() {
    UnregisterTarget();
    m_hTarget = r9::msg::Register(this);
    return m_hTarget;
}

void CMessageTarget::UnregisterTarget() {
    if (m_hTarget) {
        r9::msg::Unregister(m_hTarget);
        m_hTarget = nullptr;
    }
}

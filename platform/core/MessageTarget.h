// Something that receives window messages by handle: the window layer derives its windows from it.
#pragma once

#include "platform/core/WinTypes.h"

class CMessageTarget {
public:
    CMessageTarget() = default;
    // Drops a handle still held: pending posts to it vanish, blocked senders get 0.
    virtual ~CMessageTarget();
    CMessageTarget(const CMessageTarget&) = delete;
    CMessageTarget& operator=(const CMessageTarget&) = delete;

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    HWND GetTargetHandle() const { return m_hTarget; }

protected:
    // Gives this object a fresh handle owned by the calling thread (its messages run there).
    HWND RegisterTarget();
    void UnregisterTarget();

private:
    HWND m_hTarget = nullptr;
};

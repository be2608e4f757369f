#include "platform/core/Event.h"

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset) {
    m_hObject = r9::wait::Create(bManualReset ? r9::wait::Kind::ManualEvent : r9::wait::Kind::AutoEvent,
                                 bInitiallyOwn != FALSE);
}

BOOL CEvent::SetEvent() {
    return ::SetEvent(m_hObject);
}

BOOL CEvent::ResetEvent() {
    return ::ResetEvent(m_hObject);
}

HANDLE CreateEvent(LPVOID, BOOL bManualReset, BOOL bInitialState, LPCSTR) {
    return r9::wait::Create(bManualReset ? r9::wait::Kind::ManualEvent : r9::wait::Kind::AutoEvent,
                            bInitialState != FALSE);
}

BOOL SetEvent(HANDLE hEvent) {
    return r9::wait::SetSignalled(hEvent, true);
}

BOOL ResetEvent(HANDLE hEvent) {
    return r9::wait::SetSignalled(hEvent, false);
}

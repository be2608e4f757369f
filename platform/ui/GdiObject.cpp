#include "platform/ui/GdiObject.h"

#include "platform/ui/GdiHandle.h"

GdiHandle::~GdiHandle() {
    // The wrapper must not delete the handle that is being destroyed.
    if (temporary)
        temporary->m_hObject = nullptr;
}

namespace gdi {
CGdiObject* TemporaryWrapper(HGDIOBJ object, bool (*isType)(const CGdiObject*), CGdiObject* (*make)()) {
    if (!object)
        return nullptr;
    if (object->temporary && isType(object->temporary.get()))
        return object->temporary.get();
    if (object->temporary)
        object->temporary->m_hObject = nullptr;
    object->temporary.reset(make());
    object->temporary->m_hObject = object;
    return object->temporary.get();
}

QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}
COLORREF FromQColor(const QColor& c) {
    return RGB(static_cast<BYTE>(c.red()), static_cast<BYTE>(c.green()), static_cast<BYTE>(c.blue()));
}
} // namespace gdi

CGdiObject::~CGdiObject() {
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (!object)
        return FALSE;
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject)
        return FALSE;
    HGDIOBJ h = Detach();
    return ::DeleteObject(h);
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) {
    return TemporaryWrapper<CGdiObject>(object);
}

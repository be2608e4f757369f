// CGdiObject: owner of one GDI handle; deleting the object deletes the handle it owns.
#pragma once

#include "platform/ui/Handles.h"
#include "platform/ui/WinGdi.h"

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject();

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    static CGdiObject* FromHandle(HGDIOBJ object);

    HGDIOBJ m_hObject = nullptr;
};

// The wrapper object FromHandle returns for a handle: kept with the handle, never owning it.
namespace gdi {
// The handle's wrapper when isType accepts it; otherwise a new one from make replaces it.
CGdiObject* TemporaryWrapper(HGDIOBJ object, bool (*isType)(const CGdiObject*), CGdiObject* (*make)());
} // namespace gdi

template <class T> T* TemporaryWrapper(HGDIOBJ object) {
    return static_cast<T*>(gdi::TemporaryWrapper(
        object, [](const CGdiObject* o) { return dynamic_cast<const T*>(o) != nullptr; },
        []() -> CGdiObject* { return new T(); }));
}

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
template <class T> T* TemporaryWrapper(HGDIOBJ object);

#include "platform/ui/GdiHandle.h"

template <class T> T* TemporaryWrapper(HGDIOBJ object) {
    if (!object)
        return nullptr;
    T* typed = dynamic_cast<T*>(object->temporary.get());
    if (!typed) {
        if (object->temporary)
            object->temporary->m_hObject = nullptr;
        auto wrapper = std::make_unique<T>();
        wrapper->m_hObject = object;
        typed = wrapper.get();
        object->temporary = std::move(wrapper);
    }
    return typed;
}

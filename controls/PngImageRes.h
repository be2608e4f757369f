// CPngImageRes: a PNG resource of the program as a GDI+ bitmap over the registry's painted image.
#pragma once

#include "controls/PngImage.h"
#include "platform/ui/WinBase.h"

class CPngImageRes : public CPngImage {
public:
    CPngImageRes() = default;
    ~CPngImageRes() override { Free(); }

    // name: MAKEINTRESOURCE(id) or a name; module null = the program. TRUE when decoded.
    BOOL Load(LPCTSTR name, LPCTSTR type, HMODULE module = nullptr);
    BOOL Load(UINT id, LPCTSTR type = "PNG", HMODULE module = nullptr) {
        return Load(MAKEINTRESOURCE(id), type, module);
    }
    void Free();
};

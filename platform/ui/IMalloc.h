// IMalloc: the shell's allocator, only to free item lists handed out by the folder picker.
#pragma once

#include "platform/core/WinTypes.h"

class IMalloc {
public:
    void* Alloc(size_t bytes);
    void Free(void* block);
    ULONG AddRef();
    ULONG Release();

private:
    ULONG m_refs = 1;
};
using LPMALLOC = IMalloc*;

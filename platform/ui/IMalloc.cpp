#include "platform/ui/IMalloc.h"

#include <cstdlib>

void* IMalloc::Alloc(size_t bytes) {
    return std::malloc(bytes);
}

void IMalloc::Free(void* block) {
    std::free(block);
}

ULONG IMalloc::AddRef() {
    return ++m_refs;
}

ULONG IMalloc::Release() {
    // The shell's allocator lives as long as the program.
    return m_refs > 1 ? --m_refs : 1;
}

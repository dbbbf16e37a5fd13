#include "zelva.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace zelva_heap {

void* AllocZero(std::size_t bytes, void** handle)
{
    *handle = nullptr;
    if (bytes == 0) return nullptr;
#if defined(_WIN32)
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!h) return nullptr;
    void* p = GlobalLock(h);
    if (!p) { GlobalFree(h); return nullptr; }
    *handle = h;
    return p;
#else
    void* p = std::calloc(1, bytes);
    *handle = p;
    return p;
#endif
}

void Free(void* handle)
{
    if (!handle) return;
#if defined(_WIN32)
    GlobalUnlock(static_cast<HGLOBAL>(handle));
    GlobalFree(static_cast<HGLOBAL>(handle));
#else
    std::free(handle);
#endif
}

}  // namespace zelva_heap

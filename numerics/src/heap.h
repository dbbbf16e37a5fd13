// Zero-filled blocks from the platform's global heap (calloc elsewhere).
#ifndef ZELVA_HEAP_H
#define ZELVA_HEAP_H

#include <cstddef>

namespace zelva_heap {

// Returns a zero-filled block of `bytes` bytes, or null; *handle receives
// the handle to free it with (null on failure).
void* AllocZero(std::size_t bytes, void** handle);
// Frees a block by its handle; a null handle is ignored.
void Free(void* handle);

}  // namespace zelva_heap

#endif

// Scratch blocks of the numerics members: zero-filled doubles from the
// library heap, freed when the block goes out of scope, so every member
// has returned its blocks before it returns.
#ifndef ZELVA_WORK_BLOCK_H
#define ZELVA_WORK_BLOCK_H

#include <cstddef>
#include <cstdint>

#include "zelva.h"

namespace zelva_detail {

class WorkBlock {
public:
    // One double more than asked, for the 1-based loops of some members.
    explicit WorkBlock(std::size_t count)
        : data_(static_cast<double*>(zelva_heap::AllocZero((count + 1) * sizeof(double), &handle_)))
    {
    }
    ~WorkBlock() { zelva_heap::Free(handle_); }
    WorkBlock(const WorkBlock&) = delete;
    WorkBlock& operator=(const WorkBlock&) = delete;
    double* get() const { return data_; }
    bool ok() const { return data_ != nullptr; }
    double& operator[](std::size_t i) const { return data_[i]; }

private:
    void* handle_ = nullptr;
    double* data_;
};

// Scratch size of the curve members: the count and a small margin.
inline std::size_t Blocksize(int32_t n) { return static_cast<std::size_t>(n > 0 ? n : 0) + 5; }

// True when the caller's arrays take count entries (capacity -1: anzahl).
inline bool FitsArrays(int32_t count, int32_t capacity, int32_t anzahl)
{
    const int32_t limit = capacity < 0 ? anzahl : capacity;
    return count >= 1 && count <= limit;
}

}  // namespace zelva_detail

#endif

// Heap use of the bench program, for the peak-memory figures: every
// operator new and delete passes here. malloc_usable_size gives both sides
// the same size, so the count returns to where it was when all is freed.
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

#include "BenchHost.h"

namespace {
std::size_t gInUse = 0;
std::size_t gPeak = 0;

void* Allocate(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    gInUse += malloc_usable_size(p);
    gPeak = std::max(gPeak, gInUse);
    return p;
}

void Free(void* p) noexcept {
    if (p == nullptr) return;
    gInUse -= malloc_usable_size(p);
    std::free(p);
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }

namespace bench {
std::size_t HeapInUse() { return gInUse; }
std::size_t HeapPeak() { return gPeak; }
void ResetHeapPeak() { gPeak = gInUse; }
}  // namespace bench

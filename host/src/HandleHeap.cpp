#include "host/HandleHeap.h"

#include <cstdlib>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#define MOVEDUP_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MOVEDUP_ASAN 1
#endif
#endif
#if defined(MOVEDUP_ASAN)
#include <sanitizer/asan_interface.h>
#define MOVEDUP_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define MOVEDUP_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define MOVEDUP_POISON(p, n) ((void)(p), (void)(n))
#define MOVEDUP_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace host {

namespace {
constexpr unsigned char kFreshPattern = 0xA5;
constexpr unsigned char kFreedPattern = 0xDD;
// Retired storage kept at most, so that relocating a large block after every
// call does not exhaust memory; the oldest is checked and released first.
constexpr std::size_t kQuarantineBytes = 64u << 20;

void* NewStorage(std::size_t size) {
    // Never zero bytes, so every block has an address of its own.
    return std::malloc(size == 0 ? 1 : size);
}
}  // namespace

HandleHeap::~HandleHeap() {
    for (auto& [handle, block] : fBlocks) {
        std::free(*handle);
        delete handle;
    }
    ReleaseRetired(0);
}

void HandleHeap::SetQuarantine(bool on) {
    fQuarantine = on;
    if (!on) ReleaseRetired(0);
}

void HandleHeap::Retire(void* storage, std::size_t size) {
    std::memset(storage, kFreedPattern, size);
    if (!fQuarantine) {
        std::free(storage);
        return;
    }
    MOVEDUP_POISON(storage, size);
    fRetired.push_back(Retired{static_cast<unsigned char*>(storage), size});
    fRetiredBytes += size;
    if (fRetiredBytes > kQuarantineBytes) ReleaseRetired(kQuarantineBytes / 2);
}

int HandleHeap::StaleWrites() {
    int writes = 0;
    for (Retired& r : fRetired) {
        MOVEDUP_UNPOISON(r.storage, r.size);
        bool written = false;
        for (std::size_t i = 0; i < r.size && !written; ++i) written = r.storage[i] != kFreedPattern;
        if (written) {
            ++writes;
            std::memset(r.storage, kFreedPattern, r.size);
        }
        MOVEDUP_POISON(r.storage, r.size);
    }
    return writes;
}

// Releases the oldest retired storage until at most `keepBytes` remain.
void HandleHeap::ReleaseRetired(std::size_t keepBytes) {
    std::size_t first = 0;
    while (first < fRetired.size() && fRetiredBytes > keepBytes) {
        MOVEDUP_UNPOISON(fRetired[first].storage, fRetired[first].size);
        std::free(fRetired[first].storage);
        fRetiredBytes -= fRetired[first].size;
        ++first;
    }
    fRetired.erase(fRetired.begin(), fRetired.begin() + static_cast<std::ptrdiff_t>(first));
}

Handle HandleHeap::Allocate(int64_t size) {
    if (fFailuresPending > 0) {
        --fFailuresPending;
        return nullptr;
    }
    if (size < 0 || (fSizeLimit >= 0 && size > fSizeLimit)) return nullptr;
    void* storage = NewStorage(static_cast<std::size_t>(size));
    if (storage == nullptr) return nullptr;
    std::memset(storage, kFreshPattern, static_cast<std::size_t>(size));
    auto handle = new void*(storage);
    fBlocks[handle] = Block{static_cast<std::size_t>(size), fNextSerial++};
    return handle;
}

bool HandleHeap::Free(Handle handle) {
    auto it = fBlocks.find(handle);
    if (it == fBlocks.end()) return false;
    Retire(*handle, it->second.size);
    delete handle;
    fBlocks.erase(it);
    return true;
}

void HandleHeap::RelocateAll() {
    for (auto& [handle, block] : fBlocks) {
        void* moved = NewStorage(block.size);
        if (moved == nullptr) continue;  // stays where it is
        std::memcpy(moved, *handle, block.size);
        Retire(*handle, block.size);
        *handle = moved;
    }
    ++fRelocations;
}

std::size_t HandleHeap::SizeOf(Handle handle) const {
    auto it = fBlocks.find(handle);
    return it == fBlocks.end() ? 0 : it->second.size;
}

std::string HandleHeap::NameOf(Handle handle) const {
    if (handle == nullptr) return "null";
    auto it = fBlocks.find(handle);
    return it == fBlocks.end() ? "H?" : "H" + std::to_string(it->second.serial);
}

}  // namespace host

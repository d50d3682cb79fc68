#include "host/HandleHeap.h"

#include <cstdlib>
#include <cstring>

namespace host {

namespace {
constexpr unsigned char kFreshPattern = 0xA5;
constexpr unsigned char kFreedPattern = 0xDD;

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
}

Handle HandleHeap::Allocate(int64_t size) {
    if (fFailuresPending > 0) {
        --fFailuresPending;
        return nullptr;
    }
    if (size < 0) return nullptr;
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
    std::memset(*handle, kFreedPattern, it->second.size);
    std::free(*handle);
    delete handle;
    fBlocks.erase(it);
    return true;
}

void HandleHeap::RelocateAll() {
    for (auto& [handle, block] : fBlocks) {
        void* moved = NewStorage(block.size);
        if (moved == nullptr) continue;  // stays where it is
        std::memcpy(moved, *handle, block.size);
        std::memset(*handle, kFreedPattern, block.size);
        std::free(*handle);
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

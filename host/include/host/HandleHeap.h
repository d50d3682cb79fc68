// Relocatable memory blocks handed to the plug-in as master-pointer handles.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "interface/KSTypes.h"

namespace host {

class HandleHeap {
public:
    HandleHeap() = default;
    HandleHeap(const HandleHeap&) = delete;
    HandleHeap& operator=(const HandleHeap&) = delete;
    ~HandleHeap();

    // A new block of `size` bytes, filled with a pattern so that code which
    // relies on fresh memory being zero shows up. Null when allocation fails,
    // on demand (FailAllocations) or for a negative size.
    Handle Allocate(int64_t size);

    // Frees the block and its master pointer. False for a handle this heap
    // does not know (never allocated, or freed before).
    bool Free(Handle handle);

    // Moves every block to a new address and poisons the old one. In
    // relocating mode the host does this after each host call, so a plug-in
    // that keeps a raw pointer across a call reads freed memory.
    void RelocateAll();
    void SetRelocating(bool on) { fRelocating = on; }
    bool Relocating() const { return fRelocating; }

    // The next `count` allocations fail (0 ends failing).
    void FailAllocations(int count) { fFailuresPending = count; }
    // Allocations larger than this many bytes fail, as in a host whose
    // memory is nearly full (negative: no limit).
    void LimitBlockSize(int64_t bytes) { fSizeLimit = bytes; }

    // Quarantine: the storage that relocating or freeing gives up is kept,
    // filled with the freed pattern (and poisoned for AddressSanitizer, which
    // then reports any access), instead of going back to the allocator. A
    // write through a stale pointer changes the pattern and is counted by
    // StaleWrites.
    void SetQuarantine(bool on);
    bool Quarantined() const { return fQuarantine; }
    // Retired storage whose pattern was overwritten since the last look;
    // each write is counted once.
    int StaleWrites();

    bool IsLive(Handle handle) const { return fBlocks.count(handle) != 0; }
    std::size_t LiveCount() const { return fBlocks.size(); }
    std::size_t SizeOf(Handle handle) const;
    // A short stable name for the transcript: H1, H2, ... in allocation order.
    std::string NameOf(Handle handle) const;
    int Relocations() const { return fRelocations; }

private:
    struct Block {
        std::size_t size;
        int serial;
    };
    struct Retired {
        unsigned char* storage;
        std::size_t size;
    };
    void Retire(void* storage, std::size_t size);
    void ReleaseRetired(std::size_t keepBytes);

    std::map<Handle, Block> fBlocks;
    std::vector<Retired> fRetired;
    std::size_t fRetiredBytes = 0;
    int64_t fSizeLimit = -1;
    bool fQuarantine = false;
    int fNextSerial = 1;
    int fFailuresPending = 0;
    int fRelocations = 0;
    bool fRelocating = false;
};

}  // namespace host

// The heap's quarantine keeps what relocation and freeing give up, so that a
// write through a pointer kept across a host call is seen, and its size
// limit makes large allocations fail as in a host short of memory.
#include <gtest/gtest.h>

#include <cstring>

#include "host/HandleHeap.h"

namespace {

TEST(Quarantine, CountsAWriteThroughAPointerKeptAcrossARelocation) {
    host::HandleHeap heap;
    heap.SetQuarantine(true);
    Handle h = heap.Allocate(16);
    ASSERT_NE(h, nullptr);
    auto* stale = static_cast<unsigned char*>(*h);
    heap.RelocateAll();
    EXPECT_NE(*h, static_cast<void*>(stale));
    EXPECT_EQ(heap.StaleWrites(), 0);  // moving alone writes nothing

#if !defined(__SANITIZE_ADDRESS__)
    stale[3] = 1;  // under AddressSanitizer this access itself is reported
    EXPECT_EQ(heap.StaleWrites(), 1);
    EXPECT_EQ(heap.StaleWrites(), 0);  // each write is counted once
#endif
    std::memset(*h, 7, 16);  // the live block is not quarantined
    EXPECT_EQ(heap.StaleWrites(), 0);
    EXPECT_TRUE(heap.Free(h));
    EXPECT_EQ(heap.StaleWrites(), 0);
}

TEST(Quarantine, OffGivesStorageBackAsBefore) {
    host::HandleHeap heap;
    Handle h = heap.Allocate(8);
    heap.RelocateAll();
    EXPECT_TRUE(heap.Free(h));
    EXPECT_FALSE(heap.Quarantined());
    EXPECT_EQ(heap.StaleWrites(), 0);
}

TEST(BlockSizeLimit, RefusesLargerBlocksOnly) {
    host::HandleHeap heap;
    heap.LimitBlockSize(100);
    EXPECT_EQ(heap.Allocate(101), nullptr);
    Handle h = heap.Allocate(100);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(heap.LiveCount(), 1u);
    heap.LimitBlockSize(-1);
    Handle big = heap.Allocate(1 << 20);
    EXPECT_NE(big, nullptr);
    heap.Free(h);
    heap.Free(big);
}

}  // namespace

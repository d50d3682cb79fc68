// TXStringArray: an ordered list of strings whose unused slots keep their
// string objects for reuse.
#include <algorithm>
#include <new>

#include "String.XChecks.h"

TXStringArray::TXStringArray(uint32_t nInitialSlots, int32_t blockSize)
    : fBlockSize(blockSize < 1 ? 1 : blockSize), fNumStringsStored(0), fNumAllocated(0), fStrings(nullptr) {
    Reserve(nInitialSlots);
}

TXStringArray::~TXStringArray() {
    for (uint32_t i = 0; i < fNumAllocated; ++i) delete fStrings[i];
    delete[] fStrings;
}

bool TXStringArray::Reserve(uint32_t n) {
    if (fNumAllocated >= n) return true;
    const uint64_t block = static_cast<uint64_t>(fBlockSize);
    const uint64_t slots = (n + block - 1) / block * block;
    if (slots > UINT32_MAX / sizeof(TXString*)) return false;
    auto** pNew = new (std::nothrow) TXString*[slots];
    if (pNew == nullptr) return false;
    std::copy(fStrings, fStrings + fNumAllocated, pNew);
    delete[] fStrings;
    fStrings = pNew;
    while (fNumAllocated < slots) {
        TXString* pString = new (std::nothrow) TXString;
        if (pString == nullptr) return false;
        fStrings[fNumAllocated++] = pString;
    }
    return true;
}

void TXStringArray::SetCount(uint32_t n) {
    if (n < fNumStringsStored) {
        RemoveAt(n, fNumStringsStored - n);
    } else if (Reserve(n)) {
        fNumStringsStored = n;
    }
}

template <class T>
void TXStringArray::AssignAt(uint32_t nIndex, const T& value) {
    if (nIndex == UINT32_MAX || !Reserve(nIndex + 1)) return;
    *fStrings[nIndex] = value;
    if (fNumStringsStored < nIndex + 1) fNumStringsStored = nIndex + 1;
}

template <class T>
void TXStringArray::AppendValue(const T& value) {
    AssignAt(fNumStringsStored, value);
}

void TXStringArray::SetAt(uint32_t nIndex, const TXString& value) {
    // The value may be one of this array's strings, which growing keeps in place.
    AssignAt(nIndex, value);
}
void TXStringArray::SetAt(uint32_t nIndex, const char* sz) { AssignAt(nIndex, sz); }
void TXStringArray::SetAt(uint32_t nIndex, const unsigned char* ps) { AssignAt(nIndex, ps); }
void TXStringArray::Append(const TXString& value) { AppendValue(value); }
void TXStringArray::Append(const char* sz) { AppendValue(sz); }
void TXStringArray::Append(const unsigned char* ps) { AppendValue(ps); }

void TXStringArray::AppendAll(const TXStringArray& other) {
    const uint32_t count = other.fNumStringsStored;  // the other may be this array
    if (!Reserve(fNumStringsStored + count)) return;
    for (uint32_t i = 0; i < count; ++i) AppendValue(*other.fStrings[i]);
}

void TXStringArray::RemoveAt(uint32_t nIndex, uint32_t count) {
    if (nIndex >= fNumStringsStored) return;
    if (count > fNumStringsStored - nIndex) count = fNumStringsStored - nIndex;
    for (uint32_t i = nIndex; i < nIndex + count; ++i) fStrings[i]->Clear(false);
    // The strings after the removed ones close up; the cleared objects follow
    // them, ahead of the older spares.
    std::rotate(fStrings + nIndex, fStrings + nIndex + count, fStrings + fNumStringsStored);
    fNumStringsStored -= count;
}

TXString& TXStringArray::GetAt(uint32_t nIndex) {
    return const_cast<TXString&>(static_cast<const TXStringArray&>(*this).GetAt(nIndex));
}

const TXString& TXStringArray::GetAt(uint32_t nIndex) const {
    if (nIndex < fNumStringsStored) return *fStrings[nIndex];
    KS_ASSERT_TEXT(ks::strings::BufferOwner(), "nIndex < fNumStringsStored");
    // A string nobody else uses, emptied for each such call.
    static TXString sScratch;
    sScratch.Clear(true);
    return sScratch;
}

uint32_t TXStringArray::FindIgnoringCase(const char* sz, bool& bFound) const {
    for (uint32_t i = 0; i < fNumStringsStored; ++i) {
        if (fStrings[i]->CompareIgnoringCase(sz) == 0) {
            bFound = true;
            return i;
        }
    }
    bFound = false;
    return 0;
}

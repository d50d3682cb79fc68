// Owners of debug reports and the registry of developer names.
#include "kernel/KSDebug.h"
#include "platform/Text.h"

namespace {

// Empty at load; fills as owners are constructed and is never emptied.
TDebugOwnerEntry gOwnerRegistry[kDebugOwnerEntryCount];

bool SharesDeveloperBit(const TDebugOwnerEntry& entry, uint32_t maskLow, uint32_t maskHigh) {
    return (entry.fMaskLow & maskLow) != 0 || (entry.fMaskHigh & maskHigh & kDeveloperMaskHigh) != 0;
}

void Register(const char* szName, uint32_t maskLow, uint32_t maskHigh) {
    const uint32_t developerHigh = maskHigh & kDeveloperMaskHigh;
    // Everyone is nobody's name; an owner without developer bits has none to map.
    if (maskLow == 0xFFFFFFFF && developerHigh == kDeveloperMaskHigh) return;
    if (maskLow == 0 && developerHigh == 0) return;
    for (TDebugOwnerEntry& entry : gOwnerRegistry) {
        if (SharesDeveloperBit(entry, maskLow, developerHigh)) return;  // already registered
        if (entry.fMaskLow == 0 && entry.fMaskHigh == 0) {
            entry.fMaskLow = maskLow;
            entry.fMaskHigh = developerHigh;
            ks::platform::CopyText(entry.fName, sizeof entry.fName, szName);
            return;
        }
    }
    // Every entry is taken by other developers: the owner works unregistered.
}

}  // namespace

TDebugObject::TDebugObject() { Set("Unnamed", 0, 0, true); }

TDebugObject::TDebugObject(const char* szName, uint32_t maskLow, uint32_t maskHigh, Boolean bFlag) {
    Register(szName, maskLow, maskHigh);
    Set(szName, maskLow, maskHigh, bFlag);
}

TDebugObject::TDebugObject(const TDebugObject& other) {
    Set(other.fName, other.fMaskLow, other.fMaskHigh, other.fFlag);
}

TDebugObject& TDebugObject::operator=(const TDebugObject& other) {
    if (this != &other) Set(other.fName, other.fMaskLow, other.fMaskHigh, other.fFlag);
    return *this;
}

void TDebugObject::Set(const char* szName, uint32_t maskLow, uint32_t maskHigh, Boolean bFlag) {
    ks::platform::CopyText(fName, sizeof fName, szName);
    fMaskLow = maskLow;
    fMaskHigh = maskHigh;
    fFlag = bFlag;
}

bool TDebugObject::IsNobody() const { return fMaskLow == 0 && (fMaskHigh & kDeveloperMaskHigh) == 0; }

bool TDebugObject::IsEveryone() const {
    return fMaskLow == 0xFFFFFFFF && (fMaskHigh & kDeveloperMaskHigh) == kDeveloperMaskHigh;
}

bool TDebugObject::MayStop() const { return !IsNobody() && (fMaskHigh & kOwnerNeverStops) == 0; }

bool TDebugObject::MayShowDialog() const { return !IsNobody() && (fMaskHigh & kOwnerNeverShowsDialog) == 0; }

bool TDebugObject::TakeNextDeveloper(TDebugObject& out) {
    for (int32_t bit = 0; bit < kDeveloperBitCount; ++bit) {
        const uint32_t low = bit < 32 ? uint32_t{1} << bit : 0;
        const uint32_t high = bit < 32 ? 0 : uint32_t{1} << (bit - 32);
        if ((fMaskLow & low) == 0 && (fMaskHigh & high) == 0) continue;
        const char* szName = "";
        for (const TDebugOwnerEntry& entry : gOwnerRegistry) {
            if (entry.fMaskLow == low && entry.fMaskHigh == high) {
                szName = entry.fName;
                break;
            }
        }
        out.Set(szName, low, high, fFlag);
        fMaskLow &= ~low;
        fMaskHigh &= ~high;
        return true;
    }
    return false;
}

TDebugObject Combine(const TDebugObject& a, const TDebugObject& b) {
    TDebugObject result(a);
    result.Set(a.Name(), a.MaskLow() | b.MaskLow(), a.MaskHigh() | b.MaskHigh(), a.Flag() || b.Flag());
    return result;
}

TDebugObject EveryoneOwner() { return TDebugObject("Everyone", 0xFFFFFFFF, kDeveloperMaskHigh, true); }

const TDebugOwnerEntry& DebugOwnerEntry(int32_t index) {
    static const TDebugOwnerEntry kNone{};
    return index >= 0 && index < kDebugOwnerEntryCount ? gOwnerRegistry[index] : kNone;
}

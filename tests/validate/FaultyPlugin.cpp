// A small plug-in of this interface with one deliberate fault, chosen when it
// is built (FAULT_STALE_POINTER, FAULT_LEAK, FAULT_GCBP, FAULT_CRASH,
// FAULT_HANG at the first click), for the validator to find: each build must fail with its own
// fault named, and nothing else.
//
// Without its fault it is a plug-in that behaves: a record from event 1 to
// event 2, a cursor, a one-click action that visits the selection, and a
// dialog for event 8.
#include <cstdint>

#include "interface/HostFunctions.h"
#include "interface/ToolProtocol.h"

namespace {

namespace sel = ks::selector;

// The block of the event running; the plug-in saves and restores it around
// every event and host call, except where its fault says otherwise.
CallbackBlock* gBlock = nullptr;

template <int32_t Selector, class... A>
auto Call(CallbackBlock* block, A... args) {
    using Fn = ks::iface::HostFunctionOf<Selector>;
    const auto fn = reinterpret_cast<Fn>(block->lookup(Selector));
    using R = decltype(fn(args...));
    if (fn == nullptr) {
        if constexpr (std::is_void_v<R>)
            return;
        else
            return R{};
    }
    CallbackBlock* const saved = gBlock;
    if constexpr (std::is_void_v<R>) {
        fn(args...);
#if !defined(FAULT_GCBP)
        gBlock = saved;
#endif
    } else {
        R result = fn(args...);
#if !defined(FAULT_GCBP)
        gBlock = saved;
#endif
        return result;
    }
    (void)saved;
}

struct Record {
    int32_t clicks;
    int32_t count;
};

Record* Of(void* slot) { return static_cast<Record*>(**static_cast<Handle*>(slot)); }

[[maybe_unused]] void KS_CDECL Visit(ObjectHandle object, CallbackBlock* block, void*) {
    Call<sel::kSetObjectSelected>(block, object, Boolean{1});
}

void KS_CDECL Handler(int32_t, int32_t* item, int32_t, void* userData) {
    if (*item == kDefaultButton) Call<sel::kHasSelection>(gBlock);
    (void)userData;
}

int32_t Event(int32_t event, void* userData) {
    auto* slot = static_cast<Handle*>(userData);
    if (event == kToolEventCreate) {
        if (*slot != nullptr) return 0;
        *slot = Call<sel::kAllocHandle>(gBlock, static_cast<int32_t>(sizeof(Record)));
        if (*slot == nullptr) return kReplyNoMemory;
        *Of(slot) = Record{0, 1};
        return 0;
    }
    if (*slot == nullptr) return 0;
    switch (event) {
        case kToolEventDispose:
#if !defined(FAULT_LEAK)
            Call<sel::kFreeHandle>(gBlock, *slot);
#endif
            *slot = nullptr;
            return 0;
        case kToolEventGetCursor: {
#if defined(FAULT_STALE_POINTER)
            Record* record = Of(slot);  // kept across the call below: the block may move
            Call<sel::kHasSelection>(gBlock);
            record->clicks += 1;
#endif
            return Call<sel::kHasSelection>(gBlock) != 0 ? kCursorMove : kCursorNoSelection;
        }
        case kToolEventGetBehavior:
#if defined(FAULT_HANG)
            for (volatile bool forever = true; forever;) {
            }
#endif
            return Call<sel::kToolBehaviorOneClick>(gBlock);
        case kToolEventComplete: {
#if defined(FAULT_CRASH)
            volatile int32_t* nowhere = nullptr;
            return *nowhere;
#else
            Call<sel::kForEachObject>(gBlock, int16_t{kVisitSelected}, &Visit, static_cast<void*>(nullptr), gBlock);
            Call<sel::kHasSelection>(gBlock);
            Of(slot)->clicks += 1;
            return 0;
#endif
        }
        case kToolEventSettings: {
            const unsigned char title[] = {5, 'C', 'o', 'u', 'n', 't'};
            const unsigned char ok[] = {2, 'O', 'K'};
            const int32_t dialog = Call<sel::kCreateDialog>(gBlock, title, Boolean{1}, ok, ok);
            if (dialog == 0) return 0;
            const unsigned char label[] = {1, 'n'};
            Call<sel::kAddStaticText>(gBlock, dialog, 4, label, int16_t{4});
            Call<sel::kSetFirstLayoutItem>(gBlock, dialog, 4);
            if (Call<sel::kVerifyDialogLayout>(gBlock, dialog)) Call<sel::kRunDialog>(gBlock, dialog, &Handler, userData);
            return 0;
        }
        default:
            return 0;
    }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t FaultyMain(int32_t event, int32_t, int32_t, void* userData,
                                                                     CallbackBlock* callbacks) __asm__("main");

extern "C" int32_t FaultyMain(int32_t event, int32_t, int32_t, void* userData, CallbackBlock* callbacks) {
    CallbackBlock* const saved = gBlock;
    gBlock = callbacks;
    const int32_t reply = userData == nullptr ? 0 : Event(event, userData);
#if !defined(FAULT_GCBP)
    gBlock = saved;
#endif
    (void)saved;
    return reply;
}

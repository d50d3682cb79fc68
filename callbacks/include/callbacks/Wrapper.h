// The one mechanism behind every KS_ wrapper: look the host function up by
// selector, answer the selector's default when the host lacks it, otherwise
// call it with gCBP saved and restored around the call.
#pragma once

#include <type_traits>

#include "interface/HostFunctions.h"

// The block of the event being handled. The entry point sets it for the
// duration of an event; every glue call saves and restores it around the host
// call, so a nested call into the plug-in cannot leave it changed.
extern CallbackBlock* gCBP;

namespace ks::glue {

using ks::iface::Param;

template <int32_t Selector, class Signature>
struct Wrapper;

// Signature is the host function's shape as the caller sees it: the result
// type and the parameters after the callback block, with ByAddress<T> for the
// values passed by address.
template <int32_t Selector, class R, class... P>
struct Wrapper<Selector, R(P...)> {
    static_assert(ks::iface::HasWrapper(Selector), "this selector names no host function");
    static_assert(ks::iface::KnownResultKind(Selector) == ks::iface::ResultKind::Unknown ||
                      ks::iface::KnownResultKind(Selector) == ks::iface::KindOf<R>(),
                  "result type does not match the selector's default");

    static constexpr int32_t kSelector = Selector;
    using Result = R;
    using HostFn = typename ks::iface::HostFunction<Selector, R(P...)>::Pointer;
    static constexpr bool kPassesBlock = ks::iface::HostFunction<Selector, R(P...)>::kPassesBlock;

    R operator()(CallbackBlock* callbacks, typename Param<P>::Arg... args) const {
        void* address = callbacks->lookup(Selector);
        if (address == nullptr) {
            if constexpr (std::is_void_v<R>)
                return;
            else
                return ks::iface::DefaultResult<R>(Selector);
        }
        const auto fn = reinterpret_cast<HostFn>(address);
        CallbackBlock* const saved = gCBP;
        if constexpr (std::is_void_v<R>) {
            Call(fn, callbacks, args...);
            gCBP = saved;
        } else {
            R result = Call(fn, callbacks, args...);
            gCBP = saved;
            return result;
        }
    }

private:
    static R Call(HostFn fn, CallbackBlock* callbacks, typename Param<P>::Arg&... args) {
        if constexpr (kPassesBlock)
            return fn(Param<P>::Pass(args)..., callbacks);
        else {
            (void)callbacks;
            return fn(Param<P>::Pass(args)...);
        }
    }
};

}  // namespace ks::glue

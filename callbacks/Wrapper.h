// The one mechanism behind every KS_ wrapper: look the host function up by
// selector, answer the selector's default when the host lacks it, otherwise
// call it with gCBP saved and restored around the call.
#pragma once

#include <type_traits>

#include "callbacks/CallbackBlock.h"
#include "callbacks/SelectorTable.h"

namespace ks::glue {

// Marks a parameter that the host reads through a pointer. The wrapper takes
// the value itself and hands the host the address of its own copy, so a
// change made through that address never reaches the caller's variable.
template <class T>
struct ByAddress {};

template <class P>
struct Param {
    using Arg = P;
    using HostArg = P;
    static HostArg Pass(Arg& value) { return value; }
};

template <class T>
struct Param<ByAddress<T>> {
    using Arg = T;
    using HostArg = const T*;
    static HostArg Pass(Arg& value) { return &value; }
};

template <class R>
constexpr bool kIsResultType = std::is_void_v<R> || std::is_same_v<R, uint8_t> || std::is_same_v<R, int32_t> ||
                               std::is_same_v<R, int16_t> || std::is_same_v<R, double> || std::is_pointer_v<R>;

template <class R>
constexpr ResultKind KindOf() {
    if constexpr (std::is_same_v<R, uint8_t>) return ResultKind::Boolean;
    if constexpr (std::is_same_v<R, int32_t> || std::is_pointer_v<R>) return ResultKind::Long;
    if constexpr (std::is_same_v<R, int16_t>) return ResultKind::Short;
    if constexpr (std::is_same_v<R, double>) return ResultKind::Real;
    return ResultKind::Unknown;
}

// What a wrapper of `selector` with result type R returns when the host lacks
// the function.
template <class R>
constexpr R DefaultResult(int32_t selector) {
    if constexpr (std::is_same_v<R, uint8_t>)
        return DefaultBoolean(selector);
    else if constexpr (std::is_same_v<R, int32_t>)
        return DefaultLong(selector);
    else if constexpr (std::is_same_v<R, int16_t>)
        return DefaultShort(selector);
    else if constexpr (std::is_same_v<R, double>)
        return 0.0;
    else
        return nullptr;
}

template <int32_t Selector, class Signature>
struct Wrapper;

// Signature is the host function's shape as the caller sees it: the result
// type and the parameters after the callback block, with ByAddress<T> for the
// values passed by address.
template <int32_t Selector, class R, class... P>
struct Wrapper<Selector, R(P...)> {
    static_assert(HasWrapper(Selector), "this selector names no host function");
    static_assert(kIsResultType<R>, "results are none, Boolean, long, short, real or a handle");
    static_assert(KnownResultKind(Selector) == ResultKind::Unknown || KnownResultKind(Selector) == KindOf<R>(),
                  "result type does not match the selector's default");

    static constexpr int32_t kSelector = Selector;
    static constexpr bool kPassesBlock = Contains(kSelectorsPassingBlock, Selector);
    using Result = R;
    using HostFn = std::conditional_t<kPassesBlock, R(KS_CDECL*)(typename Param<P>::HostArg..., CallbackBlock*),
                                      R(KS_CDECL*)(typename Param<P>::HostArg...)>;

    R operator()(CallbackBlock* callbacks, typename Param<P>::Arg... args) const {
        void* address = callbacks->lookup(Selector);
        if (address == nullptr) {
            if constexpr (std::is_void_v<R>)
                return;
            else
                return DefaultResult<R>(Selector);
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

// The KS_ wrappers: one for every row of the table of host functions
// (interface/HostFunctionTable.h), and a generic typed call for the other
// selectors that name a host function.
//
// Every wrapper takes the callback block first (gCBP, or the block the host
// handed to a per-object function), looks the function up afresh, answers the
// selector's default when the host lacks it and otherwise calls it with gCBP
// saved and restored around the call.
#pragma once

#include "callbacks/Wrapper.h"

namespace ks::glue {

template <class Signature>
struct ResultOf;
template <class R, class... P>
struct ResultOf<R(P...)> {
    using type = R;
};

template <int32_t Selector, class Signature>
constexpr bool AcceptsShape() {
    if constexpr (ks::iface::Row<Selector>::kIsRow)
        return std::is_same_v<typename ks::iface::Row<Selector>::Shape, Signature>;
    else
        return ks::iface::KnownResultKind(Selector) == ks::iface::ResultKind::Unknown ||
               ks::iface::KnownResultKind(Selector) == ks::iface::KindOf<typename ResultOf<Signature>::type>();
}

// A selector the generic call accepts with this shape: it names a host
// function, a row's selector keeps the row's shape, and any other result
// agrees with the selector's default.
template <int32_t Selector, class Signature>
concept CallableAs = ks::iface::HasWrapper(Selector) && AcceptsShape<Selector, Signature>();

}  // namespace ks::glue

// The named wrappers: KS_HasSelection(gCBP), KS_MoveObject(cbp, object, dx, dy), ...
#define KS_DEFINE_WRAPPER(selector, name, shape, contract) \
    inline constexpr ks::glue::Wrapper<selector, shape> KS_##name{};
KS_HOST_FUNCTIONS(KS_DEFINE_WRAPPER)
#undef KS_DEFINE_WRAPPER

// KS_Call<selector, Result(Params...)>(cbp, args...) for the selectors without
// a named wrapper; selectors that name no host function do not compile.
template <int32_t Selector, class Signature>
requires ks::glue::CallableAs<Selector, Signature>
inline constexpr ks::glue::Wrapper<Selector, Signature> KS_Call{};

// Selectors 82 and 102 read a real and write a real through a pointer; these
// forms return that real, or 0.0 when the host lacks the function.
inline constexpr ks::glue::Wrapper<82, void(ks::iface::ByAddress<double>, double*)> KS_Selector82{};
inline constexpr ks::glue::Wrapper<102, void(ks::iface::ByAddress<double>, double*)> KS_Selector102{};
double KS_Selector82Value(CallbackBlock* callbacks, double value);
double KS_Selector102Value(CallbackBlock* callbacks, double value);

// Selector 382 takes a long and a Boolean; these forms fix the Boolean.
inline constexpr ks::glue::Wrapper<382, void(int32_t, Boolean)> KS_Selector382{};
void KS_Selector382On(CallbackBlock* callbacks, int32_t value);
void KS_Selector382Off(CallbackBlock* callbacks, int32_t value);

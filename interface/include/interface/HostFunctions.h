// What follows from the table of host functions and the selector facts: the
// facts of each row by selector, the result a call answers when the host
// lacks the function, whether it hands the block on, and the exact type of
// the host function that the plug-in calls and a host must provide.
#pragma once

#include <iterator>
#include <string_view>
#include <type_traits>

#include "interface/CallbackBlock.h"
#include "interface/HostFunctionTable.h"
#include "interface/Selectors.h"

namespace ks::iface {

// ---- the rows, by selector ---------------------------------------------------

struct RowFacts {
    int32_t selector;
    const char* name;  // "KS_HasSelection"
    std::string_view contract;
};

#define KS_ROW_FACTS(selector, name, shape, contract) {selector, "KS_" #name, contract},
inline constexpr RowFacts kRows[] = {KS_HOST_FUNCTIONS(KS_ROW_FACTS)};
#undef KS_ROW_FACTS

// The index of the selector's row in kRows, or -1. (An index, not a pointer:
// the undefined-behaviour sanitizer makes pointer tests non-constant.)
constexpr int RowIndex(int32_t selector) {
    for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i)
        if (kRows[i].selector == selector) return i;
    return -1;
}

constexpr bool HasTag(std::string_view contract, std::string_view tag) {
    return contract.find(tag) != std::string_view::npos;
}

// The value of a row's [absent: V] tag.
struct AbsentTag {
    bool found = false;
    bool valid = false;
    bool null = false;  // V is null: a pointer result
    int64_t value = 0;
};

constexpr AbsentTag ReadAbsentTag(std::string_view contract) {
    constexpr std::string_view kOpen = "[absent: ";
    AbsentTag tag;
    const std::size_t at = contract.find(kOpen);
    if (at == std::string_view::npos) return tag;
    tag.found = true;
    const std::size_t end = contract.find(']', at);
    if (end == std::string_view::npos) return tag;
    std::string_view text = contract.substr(at + kOpen.size(), end - at - kOpen.size());
    if (text == "null" || text == "false" || text == "true") {
        tag.valid = true;
        tag.null = text == "null";
        tag.value = text == "true" ? 1 : 0;
        return tag;
    }
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && text[1] == 'x') {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return tag;
    for (const char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return tag;
        tag.value = tag.value * base + digit;
    }
    if (negative) tag.value = -tag.value;
    tag.valid = true;
    return tag;
}

// A row's facts by selector; kIsRow is false for the selectors without one.
template <int32_t Selector>
struct Row {
    static constexpr bool kIsRow = false;
};

#define KS_ROW(selector, name, shape, contract)                 \
    template <>                                                 \
    struct Row<selector> {                                      \
        static constexpr bool kIsRow = true;                    \
        static constexpr const char* kName = "KS_" #name;       \
        static constexpr std::string_view kContract = contract; \
        using Shape = shape;                                    \
    };
KS_HOST_FUNCTIONS(KS_ROW)
#undef KS_ROW

// ---- facts that combine the rows and the lists --------------------------------

// The glue appends the block for these calls.
constexpr bool PassesBlock(int32_t selector) {
    if (const int row = RowIndex(selector); row >= 0) return HasTag(kRows[row].contract, "[passes block]");
    return Contains(kSelectorsPassingBlock, selector);
}

template <class R>
constexpr ResultKind KindOf() {
    if constexpr (std::is_same_v<R, uint8_t>) return ResultKind::Boolean;
    if constexpr (std::is_same_v<R, int32_t> || std::is_pointer_v<R>) return ResultKind::Long;
    if constexpr (std::is_same_v<R, int16_t>) return ResultKind::Short;
    if constexpr (std::is_same_v<R, double>) return ResultKind::Real;
    return ResultKind::Unknown;
}

// What a call of `selector` with result type R answers when the host lacks
// the function: the row's [absent] tag, or the selector lists.
template <class R>
constexpr R DefaultResult(int32_t selector) {
    if (const int row = RowIndex(selector); row >= 0) {
        if constexpr (std::is_pointer_v<R>)
            return nullptr;
        else
            return static_cast<R>(ReadAbsentTag(kRows[row].contract).value);
    }
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

// ---- the host function's type -----------------------------------------------

// How one parameter travels: as it is, or (ByAddress<T>) as the address of
// the glue's own copy, so a change made through it never reaches the caller.
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

template <int32_t Selector, class Signature>
struct HostFunction;

template <int32_t Selector, class R, class... P>
struct HostFunction<Selector, R(P...)> {
    static constexpr bool kPassesBlock = PassesBlock(Selector);
    using Pointer = std::conditional_t<kPassesBlock, R(KS_CDECL*)(typename Param<P>::HostArg..., CallbackBlock*),
                                       R(KS_CDECL*)(typename Param<P>::HostArg...)>;
};

// The function a host installs for a row's selector.
template <int32_t Selector>
using HostFunctionOf = typename HostFunction<Selector, typename Row<Selector>::Shape>::Pointer;

// ---- every row is checked against its contract ---------------------------------

template <class Signature>
struct ShapeFacts;
template <class R, class... P>
struct ShapeFacts<R(P...)> {
    using Result = R;
    static constexpr bool kByAddress = (... || !std::is_same_v<typename Param<P>::Arg, P>);
};

template <int32_t Selector>
constexpr bool RowAgreesWithItsContract() {
    using Shape = ShapeFacts<typename Row<Selector>::Shape>;
    using R = typename Shape::Result;
    constexpr std::string_view contract = Row<Selector>::kContract;
    constexpr AbsentTag absent = ReadAbsentTag(contract);
    constexpr bool resultAllowed = std::is_void_v<R> || std::is_same_v<R, uint8_t> || std::is_same_v<R, int32_t> ||
                                   std::is_same_v<R, int16_t> || std::is_same_v<R, double> || std::is_pointer_v<R>;
    constexpr bool absentAgrees =
        std::is_void_v<R> ? !absent.found : (absent.valid && absent.null == std::is_pointer_v<R>);
    // A row describes its selector alone: the lists hold no second word on it.
    constexpr bool describedOnce = !InSpecialDefaults(Selector) && !Contains(kSelectorsPassingBlock, Selector);
    return HasWrapper(Selector) && resultAllowed && absentAgrees && describedOnce &&
           HasTag(contract, "[by-address]") == Shape::kByAddress;
}

#define KS_CHECK_ROW(selector, name, shape, contract)   \
    static_assert(RowAgreesWithItsContract<selector>(), \
                  "row " #selector " (" #name "): the shape, the tags and the selector facts disagree");
KS_HOST_FUNCTIONS(KS_CHECK_ROW)
#undef KS_CHECK_ROW

}  // namespace ks::iface

// The rows' selectors by name: ks::selector::kGetToolPointCount is 621.
namespace ks::selector {
#define KS_SELECTOR_CONSTANT(selector, name, shape, contract) inline constexpr int32_t k##name = selector;
KS_HOST_FUNCTIONS(KS_SELECTOR_CONSTANT)
#undef KS_SELECTOR_CONSTANT
}  // namespace ks::selector

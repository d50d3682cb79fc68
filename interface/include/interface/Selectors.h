// Facts about the selectors that have no row in the table of host functions
// (interface/HostFunctionTable.h): whether a selector names a host function
// at all, which of them hand the block on, and what a call returns when the
// running host lacks the function. The rows carry these facts for the
// selectors this plug-in calls, so no selector is described twice.
#pragma once

#include <cstdint>

namespace ks::iface {

inline constexpr int32_t kFirstSelector = 0;
inline constexpr int32_t kLastSelector = 981;

struct SelectorRange {
    int32_t first;
    int32_t last;
};

// The 117 selector numbers in 0-981 that name no host function of this
// interface; calling one is refused at compile time.
inline constexpr SelectorRange kSelectorsWithoutWrapper[] = {
    {23, 23},   {67, 67},   {84, 84},   {103, 103}, {116, 116}, {143, 147}, {149, 149}, {166, 167}, {195, 195},
    {198, 198}, {207, 208}, {228, 249}, {270, 271}, {281, 281}, {303, 303}, {345, 354}, {356, 359}, {364, 366},
    {377, 378}, {432, 433}, {437, 437}, {452, 452}, {454, 455}, {457, 457}, {465, 465}, {473, 473}, {476, 479},
    {484, 484}, {489, 489}, {495, 495}, {497, 497}, {499, 500}, {515, 515}, {536, 539}, {557, 557}, {559, 560},
    {575, 575}, {614, 614}, {624, 625}, {643, 643}, {666, 666}, {674, 674}, {701, 701}, {708, 708}, {765, 765},
    {768, 768}, {770, 770}, {774, 774}, {777, 777}, {794, 797}, {851, 851}, {858, 858}, {863, 863}, {948, 948},
    {953, 953}, {957, 957}, {971, 974},
};

constexpr bool HasWrapper(int32_t selector) {
    if (selector < kFirstSelector || selector > kLastSelector) return false;
    for (const SelectorRange& r : kSelectorsWithoutWrapper)
        if (selector >= r.first && selector <= r.last) return false;
    return true;
}

constexpr bool Contains(const int32_t* first, const int32_t* last, int32_t selector) {
    for (; first != last; ++first)
        if (*first == selector) return true;
    return false;
}

template <int32_t N>
constexpr bool Contains(const int32_t (&list)[N], int32_t selector) {
    return Contains(list, list + N, selector);
}

// Calls that append the callback block they were given as the host
// function's last argument, so that the host can hand it on to a plug-in
// function it calls back. (The object visit, 34, is a row.)
inline constexpr int32_t kSelectorsPassingBlock[] = {48, 122, 191, 456, 695, 696, 769};

// Results that differ from the plain default of their kind (false, 0, 0.0).
inline constexpr int32_t kBooleanTrueByDefault[] = {175};
// (The rows 621, 644, 645, 649 answer -1 and the row 180 answers short -1 too.)
inline constexpr int32_t kLongMinusOneByDefault[] = {76, 177, 178, 647, 648, 653, 693, 694};
inline constexpr int32_t kLongVersionByDefault[] = {453, 456};  // 0x03000003
inline constexpr int32_t kLongOneByDefault[] = {561};
inline constexpr int32_t kLongSpacesByDefault[] = {138};  // four space characters
inline constexpr int32_t kShortMinusOneByDefault[] = {181, 193, 222, 312, 443, 444, 448, 451, 502, 519,
                                                      520, 523, 526, 529, 532, 540, 576, 577, 780, 810,
                                                      818, 842, 894, 913, 917, 918, 920, 923, 926, 933};
inline constexpr int32_t kShortMinusThreeByDefault[] = {305, 306};
inline constexpr int32_t kShortMinus99ByDefault[] = {199};
inline constexpr int32_t kShort999ByDefault[] = {963};
inline constexpr int32_t kRealResults[] = {474, 475, 698, 699, 700};

// The kind of result a wrapper has, where the defaults above pin it down.
enum class ResultKind { Unknown, Boolean, Long, Short, Real };

constexpr ResultKind KnownResultKind(int32_t selector) {
    if (Contains(kBooleanTrueByDefault, selector)) return ResultKind::Boolean;
    if (Contains(kLongMinusOneByDefault, selector) || Contains(kLongVersionByDefault, selector) ||
        Contains(kLongOneByDefault, selector) || Contains(kLongSpacesByDefault, selector))
        return ResultKind::Long;
    if (Contains(kShortMinusOneByDefault, selector) || Contains(kShortMinusThreeByDefault, selector) ||
        Contains(kShortMinus99ByDefault, selector) || Contains(kShort999ByDefault, selector))
        return ResultKind::Short;
    if (Contains(kRealResults, selector)) return ResultKind::Real;
    return ResultKind::Unknown;
}

constexpr bool InSpecialDefaults(int32_t selector) {
    return Contains(kBooleanTrueByDefault, selector) || Contains(kLongMinusOneByDefault, selector) ||
           Contains(kLongVersionByDefault, selector) || Contains(kLongOneByDefault, selector) ||
           Contains(kLongSpacesByDefault, selector) || Contains(kShortMinusOneByDefault, selector) ||
           Contains(kShortMinusThreeByDefault, selector) || Contains(kShortMinus99ByDefault, selector) ||
           Contains(kShort999ByDefault, selector);
}

constexpr uint8_t DefaultBoolean(int32_t selector) { return Contains(kBooleanTrueByDefault, selector) ? 1 : 0; }

constexpr int32_t DefaultLong(int32_t selector) {
    if (Contains(kLongMinusOneByDefault, selector)) return -1;
    if (Contains(kLongVersionByDefault, selector)) return 0x03000003;
    if (Contains(kLongOneByDefault, selector)) return 1;
    if (Contains(kLongSpacesByDefault, selector)) return 0x20202020;
    return 0;
}

constexpr int16_t DefaultShort(int32_t selector) {
    if (Contains(kShortMinusOneByDefault, selector)) return -1;
    if (Contains(kShortMinusThreeByDefault, selector)) return -3;
    if (Contains(kShortMinus99ByDefault, selector)) return -99;
    if (Contains(kShort999ByDefault, selector)) return 999;
    return 0;
}

}  // namespace ks::iface

// The glue: lookups, defaults of absent host functions, gCBP around calls,
// by-address values, the appended block and the compile-time refusals.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "callbacks/KSCallbacks.h"

namespace {

std::map<int32_t, void*> gServed;
int gLookups = 0;

void* KS_CDECL Lookup(int32_t selector) {
    ++gLookups;
    auto it = gServed.find(selector);
    return it == gServed.end() ? nullptr : it->second;
}

CallbackBlock gBlock{Lookup};
CallbackBlock gOtherBlock{Lookup};

template <class Fn>
void Serve(int32_t selector, Fn fn) {
    gServed[selector] = reinterpret_cast<void*>(fn);
}

class Glue : public ::testing::Test {
protected:
    void SetUp() override {
        gServed.clear();
        gLookups = 0;
        gCBP = &gBlock;
    }
    void TearDown() override { gCBP = nullptr; }
};

// ---- compile-time refusal -------------------------------------------------

template <int32_t S, class Sig>
constexpr bool kAccepted = requires {
    KS_Call<S, Sig>;
};

// Selectors whose result kind is pinned by a default accept no other kind;
// try void() on every number: it is refused exactly where no wrapper exists
// or where the result is known to be something else.
template <int32_t... S>
constexpr bool RefusedExactlyWithoutWrapper(std::integer_sequence<int32_t, S...>) {
    return ((kAccepted<S, int32_t(int32_t)> == (ks::iface::HasWrapper(S) &&
                                                (ks::iface::KnownResultKind(S) == ks::iface::ResultKind::Unknown ||
                                                 ks::iface::KnownResultKind(S) == ks::iface::ResultKind::Long) &&
                                                !ks::iface::Row<S>::kIsRow)) &&
            ...);
}

using AllSelectors = std::make_integer_sequence<int32_t, 982>;

static_assert(!kAccepted<23, void()>, "a selector without a wrapper is refused");
static_assert(!kAccepted<982, void()> && !kAccepted<-1, void()>, "numbers outside 0-981 are refused");
static_assert(!kAccepted<963, int32_t()>, "963 has a short result");
static_assert(!kAccepted<175, int16_t()>, "175 has a Boolean result");
static_assert(!kAccepted<7, void(ObjectHandle)>, "a used selector keeps the shape of its row");
static_assert(kAccepted<7, void(ObjectHandle, Boolean)>);
static_assert(RefusedExactlyWithoutWrapper(AllSelectors{}));

TEST(GlueTable, HasWrapperForExactly865Selectors) {
    int with = 0;
    for (int32_t s = 0; s <= 981; ++s) with += ks::iface::HasWrapper(s) ? 1 : 0;
    EXPECT_EQ(with, 865);
    EXPECT_EQ(982 - with, 117);
}

TEST(GlueTable, RowsHaveWrappersAndAreDistinct) {
    std::map<int32_t, int> seen;
    for (const ks::iface::RowFacts& row : ks::iface::kRows) {
        EXPECT_TRUE(ks::iface::HasWrapper(row.selector)) << row.selector;
        EXPECT_EQ(++seen[row.selector], 1) << row.selector;
    }
    EXPECT_EQ(seen.size(), 59u);
}

TEST(GlueTable, AbsentTagsReadAsTheirValues) {
    using ks::iface::ReadAbsentTag;
    EXPECT_EQ(ReadAbsentTag("x [absent: -1]").value, -1);
    EXPECT_EQ(ReadAbsentTag("[out] [absent: 0x03000003]").value, 0x03000003);
    EXPECT_EQ(ReadAbsentTag("[absent: true]").value, 1);
    EXPECT_TRUE(ReadAbsentTag("[absent: null]").null);
    EXPECT_FALSE(ReadAbsentTag("[absent: -]").valid);
    EXPECT_FALSE(ReadAbsentTag("[absent: 12x]").valid);
    EXPECT_FALSE(ReadAbsentTag("no tag").found);
}

// ---- defaults ------------------------------------------------------------

struct SpecialDefault {
    int32_t selector;
    ks::iface::ResultKind kind;
    double value;
};

// Every result that is not the plain default of its kind.
const SpecialDefault kSpecialDefaults[] = {
    {175, ks::iface::ResultKind::Boolean, 1},       {76, ks::iface::ResultKind::Long, -1},
    {177, ks::iface::ResultKind::Long, -1},         {178, ks::iface::ResultKind::Long, -1},
    {621, ks::iface::ResultKind::Long, -1},         {644, ks::iface::ResultKind::Long, -1},
    {645, ks::iface::ResultKind::Long, -1},         {647, ks::iface::ResultKind::Long, -1},
    {648, ks::iface::ResultKind::Long, -1},         {649, ks::iface::ResultKind::Long, -1},
    {653, ks::iface::ResultKind::Long, -1},         {693, ks::iface::ResultKind::Long, -1},
    {694, ks::iface::ResultKind::Long, -1},         {453, ks::iface::ResultKind::Long, 0x03000003},
    {456, ks::iface::ResultKind::Long, 0x03000003}, {561, ks::iface::ResultKind::Long, 1},
    {138, ks::iface::ResultKind::Long, 0x20202020}, {305, ks::iface::ResultKind::Short, -3},
    {306, ks::iface::ResultKind::Short, -3},        {199, ks::iface::ResultKind::Short, -99},
    {963, ks::iface::ResultKind::Short, 999},
};

TEST(GlueDefaults, SpecialDefaultsOfEveryKind) {
    for (const SpecialDefault& d : kSpecialDefaults) {
        switch (d.kind) {
            case ks::iface::ResultKind::Boolean:
                EXPECT_EQ(ks::iface::DefaultResult<uint8_t>(d.selector), d.value) << d.selector;
                break;
            case ks::iface::ResultKind::Long:
                EXPECT_EQ(ks::iface::DefaultResult<int32_t>(d.selector), d.value) << d.selector;
                break;
            default:
                EXPECT_EQ(ks::iface::DefaultResult<int16_t>(d.selector), d.value) << d.selector;
        }
    }
    const int32_t shortMinusOne[] = {180, 181, 193, 222, 312, 443, 444, 448, 451, 502, 519, 520, 523, 526, 529, 532,
                                     540, 576, 577, 780, 810, 818, 842, 894, 913, 917, 918, 920, 923, 926, 933};
    for (int32_t s : shortMinusOne) EXPECT_EQ(ks::iface::DefaultResult<int16_t>(s), -1) << s;
    EXPECT_EQ(ks::iface::DefaultResult<int32_t>(30), 0);
    EXPECT_EQ(ks::iface::DefaultResult<uint8_t>(326), 0);
    EXPECT_EQ(ks::iface::DefaultResult<int16_t>(60), 0);
    EXPECT_EQ(ks::iface::DefaultResult<double>(474), 0.0);
    EXPECT_EQ(ks::iface::DefaultResult<ObjectHandle>(157), nullptr);
}

TEST_F(Glue, AbsentFunctionsAnswerTheirDefaultsAndLeaveGcbpAlone) {
    CallbackBlock* const before = gCBP;
    EXPECT_EQ(KS_HasSelection(gCBP), 0);
    EXPECT_EQ(KS_GetToolPointCount(gCBP), -1);
    EXPECT_EQ(KS_ToolBehaviorOneClick(gCBP), -1);
    EXPECT_EQ(KS_ToolBehaviorTwoPoint(gCBP), -1);
    EXPECT_EQ(KS_ToolBehaviorMultiPoint(gCBP), -1);
    EXPECT_EQ(KS_GetLayerViewKind(gCBP, nullptr), -1);
    EXPECT_EQ(KS_AllocHandle(gCBP, 64), nullptr);
    EXPECT_EQ(KS_Kludge(gCBP, 2001, nullptr, nullptr), 0);
    EXPECT_EQ((KS_Call<963, int16_t()>(gCBP)), 999);
    EXPECT_EQ((KS_Call<175, Boolean(int32_t)>(gCBP, 1)), 1);
    EXPECT_EQ((KS_Call<453, int32_t()>(gCBP)), 0x03000003);
    EXPECT_EQ((KS_Call<456, int32_t(int32_t)>(gCBP, 2)), 0x03000003);
    EXPECT_EQ((KS_Call<138, int32_t()>(gCBP)), 0x20202020);
    EXPECT_EQ((KS_Call<199, int16_t()>(gCBP)), -99);
    EXPECT_EQ((KS_Call<700, double()>(gCBP)), 0.0);
    EXPECT_EQ(KS_Selector82Value(gCBP, 3.5), 0.0);
    EXPECT_EQ(KS_Selector102Value(gCBP, 3.5), 0.0);

    // Output arguments stay as the caller set them.
    Point2D p(7.0, 8.0);
    EXPECT_EQ(KS_GetToolPoint(gCBP, 0, &p), 0);
    EXPECT_EQ(p.x, 7.0);
    EXPECT_EQ(p.y, 8.0);
    EXPECT_EQ(gCBP, before);
}

TEST_F(Glue, EveryCallLooksTheFunctionUpAfresh) {
    Serve(
        30, +[]() -> int32_t { return 1; });
    KS_HasSelection(gCBP);
    KS_HasSelection(gCBP);
    EXPECT_EQ(gLookups, 2);
    gServed.erase(30);
    EXPECT_EQ(KS_HasSelection(gCBP), 0);
}

TEST_F(Glue, ResultsAreNarrowedToTheirWidth) {
    // A host that leaves garbage above the low byte or word of the register.
    Serve(
        589, +[](int32_t) -> Boolean { return 1; });
    Serve(
        60, +[](ObjectHandle) -> int16_t { return -7; });
    EXPECT_EQ(KS_VerifyDialogLayout(gCBP, 3), 1);
    EXPECT_EQ(KS_GetObjectKind(gCBP, nullptr), -7);
}

// ---- marshalling ---------------------------------------------------------

const double* gSeenDx = nullptr;
double gSeenValues[3];

TEST_F(Glue, ByAddressValuesAreTheWrappersOwnCopies) {
    Serve(
        152, +[](ObjectHandle, const double* dx, const double* dy, const double* dz) {
            gSeenDx = dx;
            gSeenValues[0] = *dx;
            gSeenValues[1] = *dy;
            gSeenValues[2] = *dz;
            *const_cast<double*>(dx) = 99.0;  // a misbehaving host writes through the address
        });
    double dx = 1.5;
    KS_MoveObject3D(gCBP, nullptr, dx, -2.0, 0.25);
    EXPECT_EQ(gSeenValues[0], 1.5);
    EXPECT_EQ(gSeenValues[1], -2.0);
    EXPECT_EQ(gSeenValues[2], 0.25);
    EXPECT_NE(gSeenDx, &dx);
    EXPECT_EQ(dx, 1.5);
}

CallbackBlock* gAppended = nullptr;
int16_t gWhich = 0;
void* gEnv = nullptr;

TEST_F(Glue, ObjectVisitAppendsTheBlockItWasGiven) {
    Serve(
        34, +[](int16_t which, ObjectVisitor, void* env, CallbackBlock* block) {
            gWhich = which;
            gEnv = env;
            gAppended = block;
        });
    int env = 0;
    KS_ForEachObject(&gOtherBlock, 5, nullptr, &env);
    EXPECT_EQ(gWhich, 5);
    EXPECT_EQ(gEnv, &env);
    EXPECT_EQ(gAppended, &gOtherBlock);
}

TEST_F(Glue, GenericCallsOfBlockPassingSelectorsAppendTheBlock) {
    Serve(
        48, +[](int32_t, CallbackBlock* block) { gAppended = block; });
    gAppended = nullptr;
    KS_Call<48, void(int32_t)>(&gOtherBlock, 1);
    EXPECT_EQ(gAppended, &gOtherBlock);
}

TEST_F(Glue, GcbpIsRestoredAfterAHostFunctionThatChangesIt) {
    // The host re-enters the plug-in, which sets gCBP to another block and
    // does not put it back before the host function returns.
    Serve(
        30, +[]() -> int32_t {
            gCBP = &gOtherBlock;
            return 1;
        });
    EXPECT_EQ(KS_HasSelection(gCBP), 1);
    EXPECT_EQ(gCBP, &gBlock);
}

TEST_F(Glue, ValueFormsReturnTheHostsResult) {
    Serve(
        82, +[](const double* in, double* out) { *out = *in * 2.0; });
    Serve(
        102, +[](const double* in, double* out) { *out = *in + 1.0; });
    EXPECT_EQ(KS_Selector82Value(gCBP, 4.0), 8.0);
    EXPECT_EQ(KS_Selector102Value(gCBP, 4.0), 5.0);
}

int32_t gFlagValue = 0;
Boolean gFlag = 2;

TEST_F(Glue, FixedFlagFormsPassTrueAndFalse) {
    Serve(
        382, +[](int32_t value, Boolean flag) {
            gFlagValue = value;
            gFlag = flag;
        });
    KS_Selector382On(gCBP, 12);
    EXPECT_EQ(gFlagValue, 12);
    EXPECT_EQ(gFlag, 1);
    KS_Selector382Off(gCBP, 13);
    EXPECT_EQ(gFlagValue, 13);
    EXPECT_EQ(gFlag, 0);
}

}  // namespace

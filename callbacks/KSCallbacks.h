// The host functions this plug-in calls, one row each: selector, wrapper name
// and the host function's shape (parameters after the callback block). The
// wrappers, the list of used selectors and the signature checks of the
// generic call are all generated from this one table.
//
// Every wrapper takes the callback block first (gCBP, or the block the host
// handed to a per-object function), looks the function up afresh, answers the
// selector's default when the host lacks it and otherwise calls it with gCBP
// saved and restored around the call.
#pragma once

#include "callbacks/Wrapper.h"
#include "kernel/DKCoordTypes.h"

namespace ks::glue {
using BAReal = ByAddress<double>;
}

// clang-format off
#define KS_USED_CALLBACKS(X)                                                                                        \
    X(7,   KS_SetObjectSelected,     void(ObjectHandle /*object*/, Boolean /*selected*/))                           \
    X(30,  KS_HasSelection,          int32_t())                                                                     \
    X(34,  KS_ForEachObject,         void(int16_t /*which*/, ObjectVisitor /*visit*/, void* /*env*/))               \
    X(35,  KS_AddModeButton,         void(int16_t /*resourceId*/))                                                  \
    X(37,  KS_AddModeRadioGroup,     void(int16_t /*initialChoice*/, int16_t /*choiceCount*/, int16_t, int16_t,     \
                                          int16_t, int16_t, int16_t, int16_t /*six resource ids*/))                 \
    X(39,  KS_EnableModeGroup,       void(int16_t /*group*/, Boolean /*enabled*/))                                  \
    X(42,  KS_DrawFeedbackLine,      void(const Point2D* /*from*/, const Point2D* /*to*/))                          \
    X(44,  KS_DrawFeedbackRect,      void(const Rect2D* /*rect*/))                                                  \
    X(60,  KS_GetObjectKind,         int16_t(ObjectHandle /*object*/))                                              \
    X(61,  KS_SetMessageText,        void(const unsigned char* /*text*/))                                           \
    X(73,  KS_BeginUndoStep,         void(int16_t /*kind*/))                                                        \
    X(110, KS_InsertObjectAfter,     void(ObjectHandle /*newObject*/, ObjectHandle /*afterObject*/))                \
    X(112, KS_GetParentObject,       ObjectHandle(ObjectHandle /*object*/))                                         \
    X(151, KS_MoveObject,            void(ObjectHandle /*object*/, ks::glue::BAReal /*dx*/,                         \
                                          ks::glue::BAReal /*dy*/))                                                 \
    X(152, KS_MoveObject3D,          void(ObjectHandle /*object*/, ks::glue::BAReal /*dx*/,                         \
                                          ks::glue::BAReal /*dy*/, ks::glue::BAReal /*dz*/))                        \
    X(157, KS_DuplicateObject,       ObjectHandle(ObjectHandle /*source*/))                                         \
    X(164, KS_UndoRecordNewObject,   Boolean(ObjectHandle /*object*/))                                              \
    X(170, KS_GetSelectionBounds,    void(Rect2D* /*bounds*/, int16_t /*option*/))                                  \
    X(180, KS_GetLayerViewKind,      int16_t(ObjectHandle /*layer*/))                                               \
    X(186, KS_GetSelectionCube,      int32_t(Cube3D* /*bounds*/))                                                   \
    X(197, KS_GetModifierKeys,       void(Boolean* /*first*/, Boolean* /*second*/, Boolean* /*third*/))             \
    X(203, KS_GetCurrentContainer,   ObjectHandle())                                                                \
    X(206, KS_ToolCompletionAllowed, int32_t())                                                                     \
    X(209, KS_ClearDataBar,          void())                                                                        \
    X(210, KS_SetDataField,          void(int16_t /*field*/, int32_t /*kind*/, const unsigned char* /*label*/))     \
    X(211, KS_SetDataFieldValue,     void(int16_t /*field*/, double /*value*/, int16_t /*option*/))                 \
    X(214, KS_SetDataFieldLength,    void(int16_t /*field*/, ks::glue::BAReal /*value*/))                           \
    X(216, KS_RefreshDataBar,        void(Boolean /*flag*/))                                                        \
    X(280, KS_GetHostVersion,        void(int16_t* /*hostCode*/, uint8_t* /*major*/, uint8_t* /*minor*/,            \
                                          uint8_t* /*maintenance*/, void*, void*))                                  \
    X(290, KS_GetHostVariable,       Boolean(int16_t /*variable*/, void* /*value*/))                                \
    X(291, KS_SetHostVariable,       Boolean(int16_t /*variable*/, const void* /*value*/))                          \
    X(326, KS_Kludge,                Boolean(int16_t /*code*/, void* /*input*/, void* /*output*/))                  \
    X(375, KS_AllocHandle,           Handle(int32_t /*size*/))                                                      \
    X(376, KS_FreeHandle,            void(Handle /*h*/))                                                            \
    X(387, KS_GetIndexedString,      void(int16_t /*listId*/, int16_t /*index*/, unsigned char* /*text*/,           \
                                          Boolean /*option*/))                                                      \
    X(459, KS_NameUndoStep,          void(const unsigned char* /*name*/))                                           \
    X(566, KS_UndoRecordMove,        Boolean(ObjectHandle /*object*/, ks::glue::BAReal /*dx*/,                      \
                                             ks::glue::BAReal /*dy*/))                                              \
    X(567, KS_UndoRecordMove3D,      Boolean(ObjectHandle /*object*/, ks::glue::BAReal /*dx*/,                      \
                                             ks::glue::BAReal /*dy*/, ks::glue::BAReal /*dz*/))                     \
    X(579, KS_CreateDialog,          int32_t(const unsigned char* /*title*/, Boolean /*flag*/,                      \
                                             const unsigned char* /*defaultText*/,                                  \
                                             const unsigned char* /*cancelText*/))                                  \
    X(587, KS_AddStaticText,         void(int32_t /*dialog*/, int32_t /*item*/, const unsigned char* /*text*/,      \
                                          int16_t /*widthInCharacters*/))                                           \
    X(588, KS_SetItemHelpText,       void(int32_t /*dialog*/, int32_t /*item*/, const unsigned char* /*text*/))     \
    X(589, KS_VerifyDialogLayout,    Boolean(int32_t /*dialog*/))                                                   \
    X(590, KS_SetFirstLayoutItem,    Boolean(int32_t /*dialog*/, int32_t /*item*/))                                 \
    X(592, KS_PlaceItemRightOf,      Boolean(int32_t /*dialog*/, int32_t /*anchorItem*/, int32_t /*item*/,          \
                                             int16_t /*xOffset*/, int16_t /*yOffset*/))                             \
    X(620, KS_RunDialog,             int32_t(int32_t /*dialog*/, DialogHandler /*handler*/, void* /*userData*/))    \
    X(621, KS_GetToolPointCount,     int32_t())                                                                     \
    X(622, KS_GetToolPoint,          Boolean(int32_t /*index*/, Point2D* /*point*/))                                \
    X(623, KS_GetCurrentToolPoint,   Boolean(Point2D* /*point*/))                                                   \
    X(626, KS_GetToolPoint3D,        Boolean(int32_t /*index*/, Point3D* /*point*/))                                \
    X(631, KS_GetCurrentToolPoint3D, Boolean(Point3D* /*point*/))                                                   \
    X(644, KS_ToolBehaviorOneClick,  int32_t())                                                                     \
    X(645, KS_ToolBehaviorTwoPoint,  int32_t())                                                                     \
    X(649, KS_ToolBehaviorMultiPoint, int32_t())                                                                    \
    X(702, KS_AddIntegerField,       void(int32_t /*dialog*/, int32_t /*item*/, int32_t /*initialValue*/,           \
                                          int16_t /*widthInCharacters*/))                                           \
    X(704, KS_GetDialogItemLong,     Boolean(int32_t /*dialog*/, int32_t /*item*/, int32_t* /*value*/))             \
    X(706, KS_SetDialogItemLong,     void(int32_t /*dialog*/, int32_t /*item*/, int32_t /*value*/))                 \
    X(875, KS_DrawFeedbackLine3D,    void(const Point3D* /*from*/, const Point3D* /*to*/))                          \
    X(969, KS_EqualStrings,          Boolean(const char* /*first*/, const char* /*second*/, int16_t /*mode*/))      \
    X(970, KS_CompareStrings,        int16_t(const char* /*first*/, const char* /*second*/, int16_t /*mode*/))
// clang-format on

namespace ks::glue {

// The shape of a used host function, by selector; `used` is false for the
// selectors this plug-in does not call.
template <int32_t Selector>
struct UsedSignature {
    static constexpr bool used = false;
    using type = void;
};

#define KS_DECLARE_USED_SIGNATURE(selector, name, ...) \
    template <>                                        \
    struct UsedSignature<selector> {                   \
        static constexpr bool used = true;             \
        static constexpr const char* kName = #name;    \
        using type = __VA_ARGS__;                      \
    };
KS_USED_CALLBACKS(KS_DECLARE_USED_SIGNATURE)
#undef KS_DECLARE_USED_SIGNATURE

#define KS_LIST_SELECTOR(selector, name, ...) selector,
inline constexpr int32_t kUsedSelectors[] = {KS_USED_CALLBACKS(KS_LIST_SELECTOR)};
#undef KS_LIST_SELECTOR

template <class Signature>
struct ResultOf;
template <class R, class... P>
struct ResultOf<R(P...)> {
    using type = R;
};

// A selector the generic call accepts with this shape: it names a host
// function, the result agrees with the selector's default, and a used
// selector keeps the shape of its table row.
template <int32_t Selector, class Signature>
concept CallableAs = HasWrapper(Selector) &&
                     (KnownResultKind(Selector) == ResultKind::Unknown ||
                      KnownResultKind(Selector) == KindOf<typename ResultOf<Signature>::type>()) &&
                     (!UsedSignature<Selector>::used ||
                      std::is_same_v<typename UsedSignature<Selector>::type, Signature>);

}  // namespace ks::glue

// The named wrappers: KS_HasSelection(gCBP), KS_MoveObject(cbp, object, dx, dy), ...
#define KS_DEFINE_WRAPPER(selector, name, ...) inline constexpr ks::glue::Wrapper<selector, __VA_ARGS__> name{};
KS_USED_CALLBACKS(KS_DEFINE_WRAPPER)
#undef KS_DEFINE_WRAPPER

// KS_Call<selector, Result(Params...)>(cbp, args...) for the selectors without
// a named wrapper; selectors that name no host function do not compile.
template <int32_t Selector, class Signature>
requires ks::glue::CallableAs<Selector, Signature>
inline constexpr ks::glue::Wrapper<Selector, Signature> KS_Call{};

// Selectors 82 and 102 read a real and write a real through a pointer; these
// forms return that real, or 0.0 when the host lacks the function.
inline constexpr ks::glue::Wrapper<82, void(ks::glue::BAReal, double*)> KS_Selector82{};
inline constexpr ks::glue::Wrapper<102, void(ks::glue::BAReal, double*)> KS_Selector102{};
double KS_Selector82Value(CallbackBlock* callbacks, double value);
double KS_Selector102Value(CallbackBlock* callbacks, double value);

// Selector 382 takes a long and a Boolean; these forms fix the Boolean.
inline constexpr ks::glue::Wrapper<382, void(int32_t, Boolean)> KS_Selector382{};
void KS_Selector382On(CallbackBlock* callbacks, int32_t value);
void KS_Selector382Off(CallbackBlock* callbacks, int32_t value);

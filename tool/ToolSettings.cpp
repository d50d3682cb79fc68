// Settings record, mode bar, message line, data bar and count dialog.
#include "tool/ToolSettings.h"

#include "PascalLiteral.h"
#include "callbacks/KSCallbacks.h"

namespace {

// The increment sign of the Mac OS Roman set, in front of offset labels.
#define DELTA "\xC6"

constexpr PascalLiteral kEmpty("");
constexpr PascalLiteral kLabelX("X:");
constexpr PascalLiteral kLabelY("Y:");
constexpr PascalLiteral kLabelZ("Z:");
constexpr PascalLiteral kLabelDeltaX(DELTA "X:");
constexpr PascalLiteral kLabelDeltaY(DELTA "Y:");
constexpr PascalLiteral kLabelDeltaI(DELTA "I:");
constexpr PascalLiteral kLabelDeltaJ(DELTA "J:");
constexpr PascalLiteral kLabelDeltaK(DELTA "K:");
constexpr PascalLiteral kLabelLength("L:");
constexpr PascalLiteral kLabelAngle("A:");
constexpr PascalLiteral kLabelCopies("Copies:");
constexpr PascalLiteral kLabelParts("Parts:");
constexpr PascalLiteral kLabelLengthPerCopy("Lenght/Copies:");
constexpr PascalLiteral kLabelLengthPerPart("Lenght/Parts:");

#undef DELTA

constexpr int32_t kCountFieldKind = 65;

struct FieldDefinition {
    int16_t field;
    int32_t kind;
    const unsigned char* label;
};

void DefineFields(CallbackBlock* callbacks, const FieldDefinition* first, const FieldDefinition* last) {
    for (; first != last; ++first) KS_SetDataField(callbacks, first->field, first->kind, first->label);
}

const FieldDefinition kPlanPointFields[] = {
    {1, 1, kLabelX.get()}, {2, 2, kLabelY.get()}, {3, 15, kEmpty.get()}, {4, 14, kEmpty.get()}};
const FieldDefinition kSpacePointFields[] = {{1, 34, kLabelX.get()},
                                             {2, 35, kLabelY.get()},
                                             {3, 36, kLabelZ.get()},
                                             {4, 15, kEmpty.get()},
                                             {5, 14, kEmpty.get()}};
const FieldDefinition kPlanSpanFields[] = {
    {1, 3, kLabelDeltaX.get()}, {2, 4, kLabelDeltaY.get()}, {3, 5, kLabelLength.get()}, {4, 6, kLabelAngle.get()}};
const FieldDefinition kSpaceSpanFields[] = {
    {1, 69, kLabelDeltaI.get()}, {2, 70, kLabelDeltaJ.get()}, {3, 71, kLabelDeltaK.get()}, {4, 42, kLabelLength.get()}};

template <std::size_t N>
void DefineFields(CallbackBlock* callbacks, const FieldDefinition (&fields)[N]) {
    DefineFields(callbacks, fields, fields + N);
}

}  // namespace

void InitToolSettings(ToolSettings& settings) {
    settings = ToolSettings{};
    settings.mode = kModeSpan;
    settings.count = 1;
    settings.planOffset = Point2D(0.0, 0.0);
    settings.spaceOffset = Point3D(0.0, 0.0, 0.0);
    settings.planar = 1;
    settings.forcePlan = 0;
    settings.spatialOffered = 0;
    settings.altCursorsAllowed = 1;
    settings.pathOffsets = nullptr;
}

void SetUpModeBar(CallbackBlock* callbacks, Handle* settings) {
    if (Settings(*settings).spatialOffered) {
        const Boolean planView = IsPlanView(callbacks);
        ToolSettings& record = Settings(*settings);
        record.planar = (planView || record.forcePlan) ? 1 : 0;
        PublishSpatialMode(callbacks, settings);
    } else {
        Settings(*settings).planar = 1;
    }

    KS_AddModeRadioGroup(callbacks, Settings(*settings).mode, 3, kModeSpanResource, kModePartsResource,
                         kModePathResource, 0, 0, 0);
    KS_AddModeButton(callbacks, kCountButtonResource);
    if (Settings(*settings).spatialOffered) {
        const int16_t choice = Settings(*settings).forcePlan ? kPlanChoicePlan : kPlanChoiceFollowView;
        KS_AddModeRadioGroup(callbacks, choice, 2, kFollowViewResource, kPlanResource, 0, 0, 0, 0);
    }
    ShowPointFields(callbacks, settings);
    UpdateModeMessage(callbacks, settings);
}

void UpdateModeMessage(CallbackBlock* callbacks, Handle* settings) {
    const int16_t mode = Settings(*settings).mode;
    if (mode >= kModeSpan && mode <= kModePath) {
        PascalBuffer text;
        KS_GetIndexedString(callbacks, kMessageStrings, static_cast<int16_t>(kMessageFirstMode + mode - 1), text.get(),
                            1);
        KS_SetMessageText(callbacks, text.get());
    }
    KS_EnableModeGroup(callbacks, kGroupCount, mode == kModePath ? 0 : 1);
}

Boolean IsPlanView(CallbackBlock* callbacks) {
    // Containers nest a few levels deep; a walk this long has met a host
    // whose parents lead round in a circle, and finds no layer.
    constexpr int kMaxDepth = 4096;
    ObjectHandle object = KS_GetCurrentContainer(callbacks);
    if (object == nullptr) return 1;  // no container, so no layer: plan work
    int16_t kind = KS_GetObjectKind(callbacks, object);
    for (int depth = 0; kind != kObjectKindLayer; ++depth) {
        object = depth < kMaxDepth ? KS_GetParentObject(callbacks, object) : nullptr;
        if (object == nullptr) return 1;  // no layer above the container: plan work
        kind = KS_GetObjectKind(callbacks, object);
    }
    return KS_GetLayerViewKind(callbacks, object) == kViewKindPlan ? 1 : 0;
}

void PublishSpatialMode(CallbackBlock* callbacks, Handle* settings) {
    const ToolSettings& record = Settings(*settings);
    const Boolean inSpace = (!record.planar && !record.forcePlan) ? 1 : 0;
    KS_SetHostVariable(callbacks, kHostSettingSpatialTool, &inSpace);
}

void ShowPointFields(CallbackBlock* callbacks, Handle* settings) {
    KS_ClearDataBar(callbacks);
    if (Settings(*settings).planar)
        DefineFields(callbacks, kPlanPointFields);
    else
        DefineFields(callbacks, kSpacePointFields);
    KS_RefreshDataBar(callbacks, 0);
}

void ShowSpanFields(CallbackBlock* callbacks, Handle* settings) {
    KS_ClearDataBar(callbacks);
    if (Settings(*settings).planar)
        DefineFields(callbacks, kPlanSpanFields);
    else
        DefineFields(callbacks, kSpaceSpanFields);

    const ToolSettings& record = Settings(*settings);
    const bool duplicate = record.duplicate != 0;
    const bool parts = record.mode == kModeParts;
    if (parts || duplicate) {
        KS_SetDataField(callbacks, kCountField, kCountFieldKind, duplicate ? kLabelCopies.get() : kLabelParts.get());
        KS_SetDataFieldValue(callbacks, kCountField, Settings(*settings).count, 0);
        if (parts)
            KS_SetDataField(callbacks, kPartLengthField, kCountFieldKind,
                            duplicate ? kLabelLengthPerCopy.get() : kLabelLengthPerPart.get());
    }
    KS_RefreshDataBar(callbacks, 0);
}

int32_t RunCountDialog(CallbackBlock* callbacks, Handle* settings, int32_t currentCount) {
    ToolSettings copy = Settings(*settings);

    PascalBuffer title, defaultText, cancelText;
    KS_GetIndexedString(callbacks, kCountDialogStrings, kCountDialogTitle, title.get(), 1);
    KS_GetIndexedString(callbacks, kCountDialogStrings, kCountDialogDefaultText, defaultText.get(), 1);
    KS_GetIndexedString(callbacks, kCountDialogStrings, kCountDialogCancelText, cancelText.get(), 1);
    const int32_t dialog = KS_CreateDialog(callbacks, title.get(), 1, defaultText.get(), cancelText.get());
    if (dialog == 0) return currentCount;  // no dialog: nothing to lay out or show

    PascalBuffer label;
    KS_GetIndexedString(callbacks, kCountDialogStrings, kCountDialogLabel, label.get(), 1);
    KS_AddStaticText(callbacks, dialog, kCountLabelItem, label.get(), 16);
    KS_AddIntegerField(callbacks, dialog, kCountNumberItem, currentCount, 8);
    KS_SetFirstLayoutItem(callbacks, dialog, kCountLabelItem);
    KS_PlaceItemRightOf(callbacks, dialog, kCountLabelItem, kCountNumberItem, 0, 0);

    PascalBuffer defaultHelp, cancelHelp, numberHelp;
    KS_GetIndexedString(callbacks, kCountDialogStrings, kCountDialogDefaultHelp, defaultHelp.get(), 1);
    KS_GetIndexedString(callbacks, kCountDialogStrings, kCountDialogCancelHelp, cancelHelp.get(), 1);
    KS_GetIndexedString(callbacks, kCountDialogStrings, kCountDialogNumberHelp, numberHelp.get(), 1);
    KS_SetItemHelpText(callbacks, dialog, kDefaultButton, defaultHelp.get());
    KS_SetItemHelpText(callbacks, dialog, kCancelButton, cancelHelp.get());
    KS_SetItemHelpText(callbacks, dialog, kCountNumberItem, numberHelp.get());

    if (!KS_VerifyDialogLayout(callbacks, dialog)) return currentCount;

    const int32_t result = KS_RunDialog(callbacks, dialog, CountDialogEvent, &copy);
    // The handler refuses a count below 1 at the default button; a host that
    // closes the dialog without asking it must not slip one through.
    if (result == kDefaultButton && copy.count >= 1) return copy.count;
    return currentCount;
}

void KS_CDECL CountDialogEvent(int32_t dialog, int32_t* item, int32_t /*data*/, void* userData) {
    auto* copy = static_cast<ToolSettings*>(userData);
    switch (*item) {
        case kDialogSetUpEvent:
            KS_SetDialogItemLong(gCBP, dialog, kCountNumberItem, copy->count);
            break;
        case kDefaultButton:
            KS_GetDialogItemLong(gCBP, dialog, kCountNumberItem, &copy->count);
            if (copy->count < 1) {
                *item = 0;  // refuse the press: the dialog stays open
                KS_SetDialogItemLong(gCBP, dialog, kCountNumberItem, 1);
                copy->count = 1;
            }
            break;
        case kCountNumberItem:
            KS_GetDialogItemLong(gCBP, dialog, kCountNumberItem, &copy->count);
            if (copy->count < 1) *item = 0;
            break;
        default:
            break;
    }
}

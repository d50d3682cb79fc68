// Entry and event dispatch: one handler per tool event.
#include "tool/ToolEntry.h"

#include <cstdint>
#include <limits>

#include "PascalLiteral.h"
#include "WorkSpace.h"
#include "callbacks/KSCallbacks.h"
#include "interface/ToolProtocol.h"
#include "tool/MoveDuplicate.h"
#include "tool/SpanFeedback.h"
#include "tool/ToolSettings.h"

namespace {

// The count stepping keys' latches: set by a press, cleared by the first
// cursor event that finds the key released (and by the set-up).
Boolean gCountUpLatch = 0;
Boolean gCountDownLatch = 0;

struct Event {
    int32_t message1;
    int32_t message2;
    Handle* slot;  // the host's user-data slot holding the record's Handle
};

int32_t PickedPoints() { return PickedPointCount(gCBP); }

int32_t OnDispose(const Event& e);

int32_t OnCreate(const Event& e) {
    // A host that creates the tool again without disposing of it first would
    // otherwise lose the record it made before, with its path list.
    if (*e.slot != nullptr) OnDispose(e);
    const Handle settings = KS_AllocHandle(gCBP, static_cast<int32_t>(sizeof(ToolSettings)));
    *e.slot = settings;
    if (settings == nullptr) return kReplyNoMemory;
    InitToolSettings(Settings(settings));

    int16_t hostCode = 0;
    uint8_t major = 0, minor = 0, maintenance = 0;
    KS_GetHostVersion(gCBP, &hostCode, &major, &minor, &maintenance, nullptr, nullptr);
    const bool atLeast105 = major > 10 || (major == 10 && minor >= 5);
    Settings(*e.slot).spatialOffered = (hostCode == 1 && atLeast105) ? 1 : 0;
    return kReplyNone;
}

int32_t OnDispose(const Event& e) {
    const Handle pathOffsets = Settings(*e.slot).pathOffsets;
    if (pathOffsets != nullptr) KS_FreeHandle(gCBP, pathOffsets);
    KS_FreeHandle(gCBP, *e.slot);
    *e.slot = nullptr;  // a later event finds no record instead of freed memory
    return kReplyNone;
}

int32_t OnSetUp(const Event& e) {
    SetUpModeBar(gCBP, e.slot);
    gCountUpLatch = 0;
    gCountDownLatch = 0;
    Boolean altCursors = Settings(*e.slot).altCursorsPref;  // kept when the host lacks the setting
    KS_GetHostVariable(gCBP, kHostSettingAltCursors, &altCursors);
    Settings(*e.slot).altCursorsPref = altCursors ? 1 : 0;
    return kReplyNone;
}

int32_t OnSetDown(const Event&) { return kReplyNone; }

// Before the first click the keys choose what the click will do.
int32_t ChooseActionFromKeys(Handle settings, bool first, bool second, bool third) {
    ToolSettings& record = Settings(settings);
    switch (record.mode) {
        case kModeSpan:
        case kModeParts:
            if (second) {
                record.repeatLast = 1;
                record.duplicate = first ? 1 : 0;
                record.reverse = third ? 1 : 0;
                if (first) return third ? kCursorReverseDuplicate : kCursorRepeatDuplicate;
                return third ? kCursorReverseMove : kCursorRepeatMove;
            }
            record.repeatLast = 0;  // reverse keeps its value: it only counts with repeatLast
            if (first) {
                record.duplicate = 1;
                // A key held through the first click must not also raise the count.
                gCountUpLatch = 1;
                return kCursorDuplicate;
            }
            record.duplicate = 0;
            return kCursorMove;
        case kModePath:
            record.duplicate = 0;
            record.reverse = 0;
            record.repeatLast = second ? 1 : 0;
            return second ? kCursorRepeatPath : kCursorPath;
        default:
            return 0;
    }
}

// Once points exist the first key raises and the second lowers the count, by
// one per press however many cursor events arrive while the key is held.
void StepCount(Handle settings, bool first, bool second) {
    const ToolSettings& record = Settings(settings);
    const bool counts = record.duplicate || record.mode == kModeParts;

    if (first && counts) {
        if (!gCountUpLatch) {
            int32_t& count = Settings(settings).count;
            if (count < std::numeric_limits<int32_t>::max()) ++count;  // never wraps to a negative count
            KS_SetDataFieldValue(gCBP, kCountField, Settings(settings).count, 0);
            gCountUpLatch = 1;
        }
    } else {
        gCountUpLatch = 0;
    }

    if (second && counts) {
        if (!gCountDownLatch) {
            int32_t& count = Settings(settings).count;
            if (count > 1) --count;
            KS_SetDataFieldValue(gCBP, kCountField, Settings(settings).count, 0);
            gCountDownLatch = 1;
        }
    } else {
        gCountDownLatch = 0;
    }
}

int32_t WhilePicking(Handle settings, bool first, bool second) {
    switch (Settings(settings).mode) {
        case kModeSpan:
        case kModeParts: {
            DrawSpanFeedback(gCBP, settings);  // removes the preview for the old count
            ToolSettings& record = Settings(settings);
            record.repeatLast = 0;
            const int32_t cursor = record.duplicate ? kCursorDuplicate : kCursorMove;
            StepCount(settings, first, second);
            DrawSpanFeedback(gCBP, settings);  // shows it for the current count
            return cursor;
        }
        case kModePath: {
            ToolSettings& record = Settings(settings);
            record.duplicate = 0;
            record.reverse = 0;
            record.repeatLast = 0;
            return kCursorPath;
        }
        default:
            return 0;
    }
}

int32_t OnGetCursor(const Event& e) {
    const int32_t points = PickedPoints();

    // Follow the view on hosts that offer spatial work.
    if (Settings(*e.slot).spatialOffered) {
        if (!Settings(*e.slot).forcePlan) {
            const Boolean planView = IsPlanView(gCBP);
            if ((planView != 0) != (Settings(*e.slot).planar != 0)) {
                // While points are picked the preview is on screen: it goes
                // with the old kind of work and comes back in the new one.
                if (points > 0) DrawSpanFeedback(gCBP, *e.slot);
                Settings(*e.slot).planar = planView;
                PublishSpatialMode(gCBP, e.slot);
                ShowPointFields(gCBP, e.slot);
                if (points > 0) DrawSpanFeedback(gCBP, *e.slot);
                return kReplyStateChanged;
            }
        }
        if (points == 0 && !IsPlanView(gCBP)) {
            if (Settings(*e.slot).forcePlan) {
                Settings(*e.slot).planar = 1;
            } else {
                const Boolean planView = IsPlanView(gCBP);
                Settings(*e.slot).planar = planView;
            }
            PublishSpatialMode(gCBP, e.slot);
            ShowPointFields(gCBP, e.slot);
        }
    }

    Boolean first = 0, second = 0, third = 0;
    KS_GetModifierKeys(gCBP, &first, &second, &third);

    int32_t cursor =
        points == 0 ? ChooseActionFromKeys(*e.slot, first, second, third) : WhilePicking(*e.slot, first, second);

    if (Settings(*e.slot).planar) {
        Point2D position(0.0, 0.0);
        KS_GetCurrentToolPoint(gCBP, &position);
    } else {
        Point3D position(0.0, 0.0, 0.0);
        KS_GetCurrentToolPoint3D(gCBP, &position);
        cursor += kCursorSpatialOffset;
    }
    if (KS_HasSelection(gCBP) == 0) cursor = kCursorNoSelection;
    const ToolSettings& record = Settings(*e.slot);
    if (record.altCursorsPref && record.altCursorsAllowed) cursor += kCursorAlternateOffset;
    return cursor;
}

int32_t OnModeBar(const Event& e) {
    const auto choice = static_cast<int16_t>(e.message2 & 0xFFFF);
    switch (e.message1) {
        case kGroupMode:
            Settings(*e.slot).mode = choice;
            if (PickedPoints() > 0) ShowSpanFields(gCBP, e.slot);
            break;
        case kGroupCount: {
            const int32_t count = RunCountDialog(gCBP, e.slot, Settings(*e.slot).count);
            Settings(*e.slot).count = count;
            if (PickedPoints() > 0) KS_SetDataFieldValue(gCBP, kCountField, Settings(*e.slot).count, 0);
            break;
        }
        case kGroupPlanOrSpace:
            if (choice == kPlanChoiceFollowView)
                Settings(*e.slot).forcePlan = 0;
            else if (choice == kPlanChoicePlan)
                Settings(*e.slot).forcePlan = 1;
            break;
        default:
            break;
    }
    UpdateModeMessage(gCBP, e.slot);
    return kReplyNone;
}

int32_t OnSettings(const Event& e) {
    const int32_t count = RunCountDialog(gCBP, e.slot, Settings(*e.slot).count);
    Settings(*e.slot).count = count;
    const ToolSettings& record = Settings(*e.slot);
    if (record.mode == kModeParts || record.duplicate) {
        KS_SetDataFieldValue(gCBP, kCountField, record.count, 0);
        KS_RefreshDataBar(gCBP, 0);
    }
    return kReplyNone;
}

int32_t OnClick(const Event& e) {
    if (KS_HasSelection(gCBP) == 0) {
        PascalBuffer text;
        KS_GetIndexedString(gCBP, kMessageStrings, kMessageNothingSelected, text.get(), 1);
        KS_SetMessageText(gCBP, text.get());
        return kReplyNothingSelected;
    }
    if (PickedPoints() > 0) ShowSpanFields(gCBP, e.slot);
    return kReplyNone;
}

int32_t OnPointQuery(const Event& e) {
    if (Settings(*e.slot).mode != kModePath) return kReplyNone;
    return PickedPoints() == 1 ? kReplyOnePointPicked : kReplyStateChanged;
}

int32_t OnDraw(const Event& e) {
    DrawSpanFeedback(gCBP, *e.slot);
    return kReplyNone;
}

int32_t OnComplete(const Event& e) {
    if (KS_ToolCompletionAllowed(gCBP) != 0) MoveOrDuplicateAlongSpan(gCBP, *e.slot);
    return kReplyNone;
}

int32_t OnGetBehavior(const Event& e) {
    const ToolSettings& record = Settings(*e.slot);
    switch (record.mode) {
        case kModeSpan:
        case kModeParts:
            return record.repeatLast ? KS_ToolBehaviorOneClick(gCBP) : KS_ToolBehaviorTwoPoint(gCBP);
        case kModePath:
            return record.repeatLast ? KS_ToolBehaviorOneClick(gCBP) : KS_ToolBehaviorMultiPoint(gCBP);
        default:
            return kReplyNone;
    }
}

int32_t Dispatch(int32_t event, const Event& e) {
    switch (event) {
        case kToolEventCreate:
            return OnCreate(e);
        case kToolEventDispose:
            return OnDispose(e);
        case kToolEventSetUp:
            return OnSetUp(e);
        case kToolEventSetDown:
            return OnSetDown(e);
        case kToolEventGetCursor:
            return OnGetCursor(e);
        case kToolEventModeBar:
            return OnModeBar(e);
        case kToolEventSettings:
            return OnSettings(e);
        case kToolEventClick:
            return OnClick(e);
        case kToolEventPointQuery:
            return OnPointQuery(e);
        case kToolEventDraw:
            return OnDraw(e);
        case kToolEventComplete:
            return OnComplete(e);
        case kToolEventGetBehavior:
            return OnGetBehavior(e);
        default:
            return kReplyNone;  // not a tool event: nothing happens
    }
}

}  // namespace

extern "C" int32_t ToolMain(int32_t event, int32_t message1, int32_t message2, void* userData,
                            CallbackBlock* callbacks) {
    CallbackBlock* const saved = gCBP;
    gCBP = callbacks;

    int32_t reply = kReplyNone;
    auto* slot = static_cast<Handle*>(userData);
    // Every event but the first needs the record; without a slot there is
    // nowhere to keep one.
    if (slot == nullptr)
        reply = event == kToolEventCreate ? kReplyNoMemory : kReplyNone;
    else if (event == kToolEventCreate || *slot != nullptr)
        reply = Dispatch(event, Event{message1, message2, slot});

    gCBP = saved;
    return reply;
}

// The validator's vocabulary: the families of hostile hosts and the checks,
// each with the strictness level from which it applies.
#include <stdexcept>

#include "validate/Scenario.h"

namespace validate {

const std::vector<FamilyInfo>& Families() {
    static const std::vector<FamilyInfo> kFamilies = {
        {Family::Lifecycle, "lifecycle", 1, "a user's session in a well-behaved host"},
        {Family::SelectorsAbsent, "selectors absent", 2,
         "a session in a host without every function, each alone, and random subsets"},
        {Family::Edges, "answers at the edges", 2,
         "point counts -1, 0, 1, 2; host versions 0 and 255; odd dialog items and numbers, dialogs never "
         "confirmed; duplication failing at random. From level 5: huge and changing point counts, coordinates "
         "NaN, infinite, 1e308, subnormal and -0.0, null containers, parents and duplicates, each allocation "
         "failing in turn, keys that change between every call"},
        {Family::Reentry, "re-entry", 3,
         "main called with another block from inside the object visit and the dialog; nested dialogs"},
        {Family::Relocation, "relocation", 3, "every memory block moved after every host call, freed ones poisoned"},
        {Family::RandomEvents, "random events", 4,
         "events in any order with random messages: unknown ones, before event 1 and after event 2, event 1 "
         "twice, set-up and set-down again, 103 and 104 with any points, odd mode-bar values, event 8 at any time"},
    };
    return kFamilies;
}

const std::vector<CheckInfo>& Checks() {
    static const std::vector<CheckInfo> kChecks = {
        {Check::Crash, "crash", 1, "the plug-in ended the process (a signal, an exception, an exit)"},
        {Check::Sanitizer, "sanitizer", 1,
         "AddressSanitizer or UndefinedBehaviorSanitizer reported; from level 5 also LeakSanitizer"},
        {Check::Hang, "hang", 1, "the scenario ran past its time limit"},
        {Check::Protocol, "protocol", 2,
         "a host call with an unknown or freed handle, object or dialog, or a point beyond those picked"},
        {Check::NonFinite, "non-finite", 2, "an object moved by a vector with a NaN or an infinity in it"},
        {Check::Leak, "leak", 2, "a memory block allocated in the tool's life still allocated after event 2"},
        {Check::Undo, "undo", 2,
         "a change not recorded for undo, an operation that is not one undo step, undo that does not restore "
         "the drawing exactly or redo that does not reapply it"},
        {Check::Copies, "copies", 2, "more copies than the counts, points and key presses the host gave asked for"},
        {Check::Callbacks, "callbacks", 3,
         "a host function looked up through a block whose event is not the one running (gCBP not restored)"},
        {Check::StaleMemory, "stale memory", 3, "a write through a pointer into a block that moved or was freed"},
        {Check::Overlay, "overlay", 4,
         "feedback left on screen after event 4, or changed by an event 5 that found the host as it was"},
    };
    return kChecks;
}

std::size_t IndexOf(Family family) {
    for (std::size_t i = 0; i < Families().size(); ++i)
        if (Families()[i].family == family) return i;
    throw std::logic_error("unknown family");
}

std::size_t IndexOf(Check check) {
    for (std::size_t i = 0; i < Checks().size(); ++i)
        if (Checks()[i].check == check) return i;
    throw std::logic_error("unknown check");
}

const FamilyInfo& InfoOf(Family family) { return Families()[IndexOf(family)]; }
const CheckInfo& InfoOf(Check check) { return Checks()[IndexOf(check)]; }

Family FamilyOf(const ScenarioId& id) {
    std::vector<Family> families;
    for (const FamilyInfo& info : Families())
        if (info.level <= id.strictness) families.push_back(info.family);
    return families[static_cast<std::size_t>(id.number % static_cast<int64_t>(families.size()))];
}

}  // namespace validate

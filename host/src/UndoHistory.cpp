#include "host/UndoHistory.h"

#include <algorithm>

namespace host {

void UndoHistory::Begin(const Document& document, int16_t kind) {
    fUndone.clear();
    UndoStep step;
    step.kind = kind;
    step.selectionBefore = document.Selected();
    fDone.push_back(std::move(step));
    fOpen = true;
}

void UndoHistory::Name(const std::string& name) {
    if (fOpen) fDone.back().name = name;
}

bool UndoHistory::RecordMove(Object* object) {
    if (!fOpen) return false;
    UndoStep& step = fDone.back();
    if (step.movedIndex.insert(object).second)
        step.moved.emplace_back(object, ObjectState{object->vertices, object->height, object->selected});
    return true;
}

bool UndoHistory::RecordNew(Object* object) {
    if (!fOpen) return false;
    UndoStep& step = fDone.back();
    if (step.createdIndex.insert(object).second) step.created.push_back(object);
    return true;
}

bool UndoHistory::Knows(const Object* object) const {
    if (!fOpen) return false;
    const UndoStep& step = fDone.back();
    if (step.movedIndex.count(object) != 0) return true;
    for (const Object* created = object; created != nullptr; created = created->parent)
        if (step.createdIndex.count(created) != 0) return true;
    return false;
}

namespace {
void SelectExactly(Document& document, const std::vector<Object*>& objects) {
    document.ClearSelection();
    for (Object* object : objects) document.Select(object, true);
}
}  // namespace

bool UndoHistory::Undo(Document& document) {
    fOpen = false;
    if (fDone.empty()) return false;
    UndoStep step = std::move(fDone.back());
    fDone.pop_back();

    step.selectionAfter = document.Selected();
    step.movedAfter.clear();
    for (const auto& [object, before] : step.moved) step.movedAfter.emplace_back(object, document.StateOf(*object));
    step.removed.clear();
    for (auto it = step.created.rbegin(); it != step.created.rend(); ++it) {
        Object* object = *it;
        if (document.Find(object->id) != object) continue;  // no longer in the drawing
        Object* parent = object->parent;
        Object* previous = Document::Previous(object);
        step.removed.push_back({document.Detach(object), parent, previous});
    }
    for (const auto& [object, before] : step.moved) document.Restore(object, before);
    SelectExactly(document, step.selectionBefore);
    fUndone.push_back(std::move(step));
    return true;
}

bool UndoHistory::Redo(Document& document) {
    fOpen = false;
    if (fUndone.empty()) return false;
    UndoStep step = std::move(fUndone.back());
    fUndone.pop_back();

    for (auto it = step.removed.rbegin(); it != step.removed.rend(); ++it)
        document.Reinsert(std::move(it->object), it->parent, it->previous);
    step.removed.clear();
    for (const auto& [object, after] : step.movedAfter) document.Restore(object, after);
    SelectExactly(document, step.selectionAfter);
    fDone.push_back(std::move(step));
    return true;
}

}  // namespace host

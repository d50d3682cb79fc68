// Undo steps as the tool opens them: the state of every object whose move is
// announced, the objects created, and the selection. Undo puts back exactly
// what was recorded; redo puts back what undo took away.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "host/Document.h"

namespace host {

struct UndoStep {
    int16_t kind = 0;
    std::string name;                                    // Mac OS Roman bytes
    std::vector<std::pair<Object*, ObjectState>> moved;  // state when the move was announced
    std::vector<Object*> created;                        // in the order they were recorded
    std::vector<Object*> selectionBefore;
    // The objects of `moved` and `created`, so that recording and the checks
    // of a move cost the same however large the step grows.
    std::unordered_set<const Object*> movedIndex;
    std::unordered_set<const Object*> createdIndex;

    // Filled by undo, used by redo.
    std::vector<std::pair<Object*, ObjectState>> movedAfter;
    std::vector<Object*> selectionAfter;
    struct Removed {
        std::unique_ptr<Object> object;
        Object* parent;
        Object* previous;
    };
    std::vector<Removed> removed;  // in the order they were taken out (last created first)
};

class UndoHistory {
public:
    // Opens a new step (closing the one open) and forgets what was undone.
    void Begin(const Document& document, int16_t kind);
    void Name(const std::string& name);
    bool Open() const { return fOpen; }
    void Close() { fOpen = false; }

    // False when no step is open.
    bool RecordMove(Object* object);
    bool RecordNew(Object* object);
    // Whether the open step may move this object: its move was announced, or
    // it was created in this step.
    bool Knows(const Object* object) const;

    bool Undo(Document& document);
    bool Redo(Document& document);
    const std::vector<UndoStep>& Done() const { return fDone; }
    const std::vector<UndoStep>& Undone() const { return fUndone; }

private:
    std::vector<UndoStep> fDone;
    std::vector<UndoStep> fUndone;
    bool fOpen = false;
};

}  // namespace host

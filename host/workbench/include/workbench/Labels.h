// Object labels that do not overprint one another.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "workbench/Sheet.h"

namespace workbench {

// The rule: labels are placed in drawing order, so an earlier object keeps
// its label and a later one gives way. Each label tries four places around
// its object's box in turn (above it, below it, to its right, to its left,
// each against the box's top left corner) and takes the first that stays on
// its panel and overlaps no label placed before; when none is free, the
// label is dropped. Boxes are kept in a grid of cells, so a frame with 10^5
// objects costs a few looks per label, not one per label placed.
class LabelPlacer {
public:
    // The box the label takes, or nothing when it is dropped.
    std::optional<SheetBox> Place(const SheetBox& object, double width, double height, const SheetBox& panel);
    // Keeps labels off a box that holds other text.
    void Reserve(const SheetBox& box) { Take(box); }

private:
    bool Free(const SheetBox& box) const;
    void Take(const SheetBox& box);
    template <typename Visit>
    void Cells(const SheetBox& box, Visit visit) const;

    std::unordered_map<int64_t, std::vector<SheetBox>> fCells;
};

}  // namespace workbench

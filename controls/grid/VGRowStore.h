#pragma once
// The grid's row store: the block array of row records, plus a way to put the records into an
// order computed elsewhere. Sorting computes each row's keys once, sorts the keys, and then
// rewrites the pointer list in one pass; the records themselves never move.
#include "controls/grid/VexoGridRowInfo.h"
#include "values/nBlockArray.h"

#include <vector>

namespace vexo {

class VGRowStore : public nBlockArray<TVexoGrid_rowInfo> {
public:
    // order must be a permutation of the current records; the records keep their addresses.
    void reorder(const std::vector<TVexoGrid_rowInfo*>& order);
    void reserve(int rows) { list.SetCapacity(rows); }
};

} // namespace vexo

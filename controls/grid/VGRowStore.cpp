#include "controls/grid/VGRowStore.h"

#include <cassert>

namespace vexo {

void VGRowStore::reorder(const std::vector<TVexoGrid_rowInfo*>& order) {
    assert(static_cast<int>(order.size()) == count() && "reorder needs every record exactly once");
    for (int i = 0; i < count(); ++i)
        list.Put(i, order[static_cast<std::size_t>(i)]);
}

} // namespace vexo

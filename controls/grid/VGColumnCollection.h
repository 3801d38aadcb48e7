#pragma once
// The grid's Columns: an ordered collection of TVGColumn whose index is the column index used
// everywhere in the grid. Any change to it lays out the owning grid's columns again.
#include "controls/grid/VGColumn.h"
#include "framework/core/TCollection.h"

#include <string>

namespace vexo {

class TVGColumnCollection : public TCollection {
public:
    explicit TVGColumnCollection(TVexoGrid* grid);

    TVexoGrid* Grid() const { return grid_; }
    TVGColumn* Items(int index) const { return static_cast<TVGColumn*>(TCollection::Items(index)); }
    TVGColumn* Add() { return static_cast<TVGColumn*>(TCollection::Add()); }

    // The column text form: one line per column between the collection's own tags.
    std::string ToString() const;
    // Replaces the columns by those of a column text form. Only field name, caption and width
    // come back. A column whose width does not read as an integer raises EConvertError; the
    // columns read before it remain.
    void FromString(const std::string& text);

protected:
    void Update(TCollectionItem* item) override;

private:
    TVexoGrid* grid_;
};

} // namespace vexo

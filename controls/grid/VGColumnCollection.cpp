#include "controls/grid/VGColumnCollection.h"

#include "controls/grid/VexoGrid.h"
#include "controls/grid/XmlReader.h"
#include "framework/core/SysUtils.h"

namespace vexo {

TVGColumnCollection::TVGColumnCollection(TVexoGrid* grid)
    : TCollection(TCollection::ItemClass<TVGColumn>(), grid), grid_(grid) {}

void TVGColumnCollection::Update(TCollectionItem* item) {
    (void)item;
    if (grid_) grid_->UpdateColumns();
}

std::string TVGColumnCollection::ToString() const {
    std::string text = "<TVGColumnCollection>\r\n";
    for (int i = 0; i < Count(); ++i)
        text += Items(i)->ToString();
    text += "</TVGColumnCollection>\r\n";
    return text;
}

void TVGColumnCollection::FromString(const std::string& text) {
    XmlReader reader;
    reader.SetText(text);
    Clear();
    while (reader.Next()) {
        if (!reader.IsElement() || reader.TagName() != "TVGColumn") continue;
        // The width is read first so that a bad one leaves no half-read column behind.
        const int width = StrToInt(reader.Attribute("Width"));
        TVGColumn* column = Add();
        column->SetCaption(reader.Attribute("Caption"));
        column->SetFieldName(reader.Attribute("FieldName"));
        column->SetWidth(width);
    }
    if (grid_) grid_->OnUpdateColumns();
}

} // namespace vexo

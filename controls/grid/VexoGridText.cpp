// The grid's text outputs: its columns as column text (the form files' ColData) and the source of a
// typed row class with one member per column.
#include "controls/grid/VexoGrid.h"

#include "values/VexoConvert.h"

namespace vexo {

std::unique_ptr<TStringList> TVexoGrid::GenerateColData() const {
    auto list = std::make_unique<TStringList>();
    list->SetText(columns_->ToString());
    return list;
}

void TVexoGrid::SetColData(const TStringList* list) {
    if (!list) return;
    const std::string text = list->GetText();
    if (text == GenerateColData()->GetText()) return;
    columns_->FromString(text);
}

TStringList* TVexoGrid::ColDataProperty() const {
    colDataProperty_ = GenerateColData();
    return colDataProperty_.get();
}

TStringList* TVexoGrid::RowCodeProperty() const {
    rowCodeProperty_ = GenerateRowCode();
    return rowCodeProperty_.get();
}

std::unique_ptr<TStringList> TVexoGrid::GenerateRowCode() const {
    const std::string& n = Name();
    std::string code = "\tclass " + n + "_dataRow : public TVexoRow\r\n";
    code += "\t{\r\n";
    code += "\tpublic:\r\n";
    code += "\t\t" + n + "_dataRow( TVexoGrid*grid ) : TVexoRow( grid ), ";
    for (int i = 0; i < columns_->Count(); ++i) {
        if (i > 0) code += ",";
        code += columns_->Items(i)->FieldName() + "(this," + intToText(i) + ")";
    }
    code += "\r\n\t\t{}\r\n";
    for (int i = 0; i < columns_->Count(); ++i) {
        const TVGColumn* c = columns_->Items(i);
        const char* type = "TVexoDataCol_string   ";
        switch (c->DataType()) {
        case vgDate:
            type = "TVexoDataCol_date     ";
            break;
        case vgTime:
            type = "TVexoDataCol_time     ";
            break;
        case vgBoolean:
            type = "TVexoDataCol_boolean  ";
            break;
        case vgInteger:
            type = "TVexoDataCol_integer  ";
            break;
        case vgFloat:
        case vgMoney:
            type = "TVexoDataCol_float    ";
            break;
        default:
            break;
        }
        code += "\t\t" + std::string(type) + c->FieldName() + ";\r\n";
    }
    code += "\t};\r\n";
    auto list = std::make_unique<TStringList>();
    list->SetText(code);
    return list;
}

} // namespace vexo

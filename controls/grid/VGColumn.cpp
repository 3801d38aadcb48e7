#include "controls/grid/VGColumn.h"

#include "controls/grid/VGColumnCollection.h"
#include "controls/grid/VexoGrid.h"
#include "values/VexoConvert.h"

namespace vexo {

namespace {

// Writes an attribute value the way XmlReader::Attribute decodes it, so that any caption, field
// name or format survives the trip: "&" is escaped too, or a caption holding the text "&lt;"
// would come back as "<".
std::string escapeAttribute(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string attr(const std::string& value) {
    return quoteText(escapeAttribute(value));
}

} // namespace

TVGColumn::TVGColumn(TCollection* collection)
    : TCollectionItem(collection), comboTexts_(std::make_unique<TStringList>()),
      comboValues_(std::make_unique<TStringList>()) {}

TVGColumn::~TVGColumn() = default;

void TVGColumn::SetAlignment(TAlignment value) {
    alignment_ = value;
    DoChange();
}

void TVGColumn::SetCaption(const std::string& value) {
    caption_ = value;
    DoChange();
}

void TVGColumn::SetWidth(int value) {
    width_ = value;
    DoChange();
}

void TVGColumn::SetReadOnly(bool value) {
    readOnly_ = value;
    DoChange();
}

void TVGColumn::SetIsCombo(bool value) {
    isCombo_ = value;
    DoChange();
}

void TVGColumn::SetFormat(const std::string& value) {
    format_ = value;
    DoChange();
}

void TVGColumn::SetCharCase(TEditCharCase value) {
    charCase_ = value;
    DoChange();
}

void TVGColumn::SetDataType(VGDataType type) {
    if (type == dataType_) return;
    dataType_ = type;
    format_.clear();
    clear();
    switch (type) {
    case vgDate:
        format_ = "DD/MM/YYYY";
        break;
    case vgTime:
        format_ = "HH:MM";
        break;
    case vgBoolean:
        add("no", "false");
        add("sí", "true");
        break;
    default:
        break;
    }
    DoChange();
}

void TVGColumn::SetComboTexts(const TStringList* list) {
    if (list) comboTexts_->Assign(*list);
}

void TVGColumn::SetComboValues(const TStringList* list) {
    if (list) comboValues_->Assign(*list);
}

TVexoGrid* TVGColumn::Grid() const {
    auto* columns = dynamic_cast<TVGColumnCollection*>(Collection());
    return columns ? columns->Grid() : nullptr;
}

bool TVGColumn::GetIsCol100x100() const {
    if (fieldName_.empty()) return false;
    TVexoGrid* grid = Grid();
    return grid && grid->GetCol100x100() == fieldName_;
}

void TVGColumn::SetIsCol100x100(bool flag) {
    if (fieldName_.empty()) return;
    TVexoGrid* grid = Grid();
    if (!grid) return;
    grid->SetCol100x100(flag ? fieldName_ : std::string());
}

void TVGColumn::DoChange() {
    if (Collection()) Changed(false);
}

std::string TVGColumn::GetDisplayName() const {
    return caption_.empty() ? TCollectionItem::GetDisplayName() : caption_;
}

void TVGColumn::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TVGColumn*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    fieldName_ = other->fieldName_;
    alignment_ = other->alignment_;
    caption_ = other->caption_;
    width_ = other->width_;
    readOnly_ = other->readOnly_;
    dataType_ = other->dataType_;
    isCombo_ = other->isCombo_;
    format_ = other->format_;
    charCase_ = other->charCase_;
    comboTexts_->Assign(*other->comboTexts_);
    comboValues_->Assign(*other->comboValues_);
}

void TVGColumn::clear() {
    comboTexts_->Clear();
    comboValues_->Clear();
}

void TVGColumn::add(const std::string& text, const std::string& value) {
    comboTexts_->Add(text);
    comboValues_->Add(value);
}

std::string TVGColumn::getComboText(const std::string& value) const {
    const auto& values = comboValues_->items();
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] != value) continue;
        // A value list longer than the text list has no text for its tail: show the value.
        return static_cast<int>(i) < comboTexts_->Count() ? comboTexts_->Get(static_cast<int>(i)) : value;
    }
    return value;
}

std::string TVGColumn::ToString() const {
    std::string line = "<TVGColumn FieldName=" + attr(fieldName_);
    line += " Alignment=" + quoteText(intToText(alignment_));
    line += " Caption=" + attr(caption_);
    line += " Width=" + quoteText(intToText(width_));
    line += " ReadOnly=" + quoteText(boolToText(readOnly_));
    line += " DataType=" + quoteText(intToText(dataType_));
    line += " IsCombo=" + quoteText(boolToText(isCombo_));
    line += " Format=" + attr(format_);
    line += " />\r\n";
    return line;
}

} // namespace vexo

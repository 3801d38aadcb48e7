#pragma once
// One column of the grid: which field it shows, its title and width, the type of value its cells
// hold and how that value is formatted, and an optional fixed list of choices. Every setter except
// the choice lists tells the owning collection, which lays out the grid's columns again.
#include "framework/core/TCollectionItem.h"
#include "framework/core/TStringList.h"
#include "framework/core/Types.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vexo {

enum VGDataType : std::uint8_t { vgString, vgDate, vgTime, vgBoolean, vgInteger, vgFloat, vgMoney };

class TVexoGrid;

class TVGColumn : public TCollectionItem {
public:
    explicit TVGColumn(TCollection* collection = nullptr);
    ~TVGColumn() override;

    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(const std::string& name) { fieldName_ = name; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    int Width() const { return width_; }
    void SetWidth(int value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    VGDataType DataType() const { return dataType_; }
    // A change of type resets the format and the choices to what the new type starts with.
    void SetDataType(VGDataType type);
    bool IsCombo() const { return isCombo_; }
    void SetIsCombo(bool value);
    const std::string& Format() const { return format_; }
    void SetFormat(const std::string& value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    TStringList* ComboTexts() const { return comboTexts_.get(); }
    void SetComboTexts(const TStringList* list);
    TStringList* ComboValues() const { return comboValues_.get(); }
    void SetComboValues(const TStringList* list);
    bool GetIsCol100x100() const;
    void SetIsCol100x100(bool flag);

    void DoChange();
    std::string GetDisplayName() const override;
    // Copies the definition only: no notification, and none of SetDataType's resets.
    void Assign(const TPersistent* source) override;

    void clear();
    void add(const std::string& text, const std::string& value);
    int GetComboCount() const { return comboTexts_->Count(); }
    // The text shown for a stored value; the value itself when it is not among the choices.
    std::string getComboText(const std::string& value) const;

    // The column's line of the column text form.
    std::string ToString() const;

    // The grid whose collection holds this column, or none.
    TVexoGrid* Grid() const;

private:
    std::string fieldName_;
    TAlignment alignment_ = taLeftJustify;
    std::string caption_;
    int width_ = 50;
    bool readOnly_ = false;
    VGDataType dataType_ = vgString;
    bool isCombo_ = false;
    std::string format_;
    TEditCharCase charCase_ = ecNormal;
    std::unique_ptr<TStringList> comboTexts_;
    std::unique_ptr<TStringList> comboValues_;
};

} // namespace vexo

#pragma once
// The multi-mode edit control: free text, a date, a time, a list entry, a yes/no entry, an integer,
// a decimal number or a multi-line memo, chosen by Mode. The mode decides which typed characters
// pass, how the text is normalised when editing ends, what getText returns and whether the control
// is a drop-down (a button at the right edge; a click or Ctrl+Down opens its pop-up). The control
// wraps a window of the platform's edit class and draws its frame, button, date-navigator arrows
// and label over the window's own painting.
#include "controls/scroll/VexoScroll.h"
#include "framework/core/TNotifyEvent.h"
#include "framework/core/TStringList.h"
#include "framework/windows/TAccessibleText.h"
#include "framework/windows/TWinControl.h"
#include "values/sDB_date.h"
#include "values/sDB_time.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vexo {

class TBitmap;
class TControlCanvas;
class TVexoEdit;
class TVexoPopUpForm;

// Makes the list pop-up of a list or yes/no edit, not shown yet.
using TVexoListPopUpMaker = TVexoPopUpForm* (*)(TVexoEdit& edit);

// The navigator's 3 x 5 arrow glyphs, black on a transparent white.
TBitmap* VexoEditPrevGlyph();
TBitmap* VexoEditNextGlyph();

enum sVexoEditMode : std::uint8_t {
    sEditString,
    sEditDate,
    sEditTime,
    sEditList,
    sEditBoolean,
    sEditInteger,
    sEditDouble,
    sEditMemo
};

// The step of the date navigator's two arrows.
enum sVexoEdit_dateNavigatorKind : std::uint8_t { sDnkDay, sDnkWeek, sDnkMonth, sDnkYear };

// key is the typed character; a handler may change it.
using TVexoEditKeyPressEvent = std::function<void(TObject* sender, char32_t& key)>;

class TVexoEdit : public TWinControl, public TAccessibleText {
public:
    // The value of a list entry that stands for a separator row.
    static inline const std::string separatorMark = "#separator#";
    // Geometry, from the right edge W of the client area.
    static constexpr int ButtonWidth = 16;    // the drop-down button: [W-16, W)
    static constexpr int NextStepLeft = 24;   // the next-step arrow: [W-24, W-16)
    static constexpr int PrevStepLeft = 32;   // the previous-step arrow: [W-32, W-24)
    static constexpr int ScrollBarWidth = 16; // the memo's bar
    static constexpr TColor FocusedFrame = 0xFF0000;
    static constexpr TColor HotFrame = 0xFFB7B7;
    static constexpr TColor RestFrame = 0x808080;
    static constexpr TColor ButtonFace = 0xEBEBEB;

    explicit TVexoEdit(TComponent* owner);
    ~TVexoEdit() override;

    // Mode, format and value.
    sVexoEditMode Mode() const { return mode_; }
    void setMode(sVexoEditMode mode);
    const std::string& Format() const { return format_; }
    void setFormat(const std::string& format);
    void setText(const std::string& value);
    std::string getText() const;
    std::string getTextVisible() const;
    void setDate(const sDB_date& date);
    sDB_date getDate() const { return date_; }
    void setTime(const sDB_time& time);
    sDB_time getTime() const { return time_; }
    bool IsCombo() const { return mode_ == sEditDate || mode_ == sEditList || mode_ == sEditBoolean; }
    const std::string& AcceptedChars() const { return accepted_; }

    bool DateNavigator() const { return dateNavigator_; }
    void setDateNavigator(bool value);
    sVexoEdit_dateNavigatorKind DateNavigatorKind() const { return dateNavigatorKind_; }
    void setDateNavigatorKind(sVexoEdit_dateNavigatorKind kind);
    bool ShowFrame() const { return showFrame_; }
    void setShowFrame(bool value);
    const std::string& Label() const { return label_; }
    void setLabel(const std::string& label);
    TColor LabelColor() const { return labelColor_; }
    void setLabelColor(TColor color);
    // Assistive technology names the edit by its label, as drawn.
    std::string AccessibleName() const override;

    // List entries.
    void add(const std::string& text, const std::string& value);
    void clear();
    int getCount() const { return comboTexts_.Count(); }
    int ItemIndex() const { return itemIndex_; }
    void setItemIndex(int index);
    TStringList* ComboTexts() { return &comboTexts_; }
    TStringList* ComboValues() { return &comboValues_; }
    void setComboTexts(const TStringList& list) { comboTexts_.Assign(list); }
    void setComboValues(const TStringList& list) { comboValues_.Assign(list); }
    bool SortCombo() const { return sortCombo_; }
    void setSortCombo(bool value) { sortCombo_ = value; }
    // Opens the pop-up of the mode (a list, or a month calendar for a date) under the edit and
    // returns at once; the pop-up frees itself when it closes.
    void DefaultOnCombo(TObject* sender);
    // The list pop-up holds a grid, and the grid layer sits above this one (its cell editor is an
    // edit control), so this layer cannot make the list itself: the grid layer installs the maker
    // here when the program starts (a static initialiser of its pop-up's source file, kept in every
    // program that links the whole library). Without one, list and yes/no edits open nothing.
    static void SetListPopUpMaker(TVexoListPopUpMaker maker) { listPopUpMaker_ = maker; }
    static TVexoListPopUpMaker ListPopUpMaker() { return listPopUpMaker_; }
    // The window of the open pop-up's inner control; null while none is open.
    HWND PopupHandle() const { return popupHandle_; }

    // Edit-box operations, as the edit window's messages.
    virtual void Clear();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    void ClearUndo();
    void SelectAll();
    void SelectNone();
    void ClearSelection();
    bool GetCanUndo();
    bool IsAllSelected();

    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    char32_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char32_t value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool value);
    bool GetModified();
    void SetModified(bool value);

    TStringList* getLines();
    void setLines(const TStringList& lines);

    bool isFocused() const { return focused_; }
    bool isHot() const { return hot_; }
    void processEndEdit(bool final);

    TVexoScroll* ScrollBar() const { return scrollBar_; }
    void SetEditRect();
    int GetLineHeight();
    void Situa_ScrollBar();
    void ScrollBarMove(TObject* sender, TScrollCode code, int& position);

    TNotifyEvent OnChange;
    TNotifyEvent OnPopClose;
    // Hides the framework's key-press event: this one runs only for characters the mode accepts.
    TVexoEditKeyPressEvent OnKeyPress;
    TNotifyEvent OnKeyPressPost;
    TNotifyEvent OnChangePre;
    TNotifyEvent OnChangePost;

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;

    // Editing hooks, empty here.
    virtual void doChange();
    virtual void DoSetMaxLength(int value);
    virtual void eventPostModified() {}
    virtual void beginEdit() {}

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    void Resize() override;
    void PaintWindow(HDC dc) override;
    void PaintSpecial(HDC dc);
    void printLabel();
    // What the edit window shows now, typed text included.
    std::string windowText();

private:
    bool designing() const { return ComponentState().Contains(csDesigning); }
    void setWindowText(const std::string& text);
    void resetScrollBar();
    // The memo bar: reset, then shown and updated in the memo mode, hidden otherwise.
    void placeScrollBar();
    TColor frameColor() const;
    void stepDate(bool forward);
    void wheel(TMessage& message);
    void keyDown(TMessage& message);
    void charTyped(TMessage& message);
    void buttonDown(TMessage& message);

    TVexoScroll* scrollBar_;
    std::unique_ptr<TControlCanvas> canvas_;
    int maxLength_ = 0;
    char32_t passwordChar_ = 0;
    bool readOnly_ = false;
    bool hideSelection_ = true;
    bool oemConvert_ = false;
    TEditCharCase charCase_ = ecNormal;
    bool creating_ = false;
    bool savedModified_ = false;
    bool hot_ = false;
    bool focused_ = false;
    std::string accepted_;
    sVexoEditMode mode_ = sEditString;
    std::string format_;
    bool showFrame_ = false;
    TStringList comboTexts_;
    TStringList comboValues_;
    int itemIndex_ = -1;
    bool sortCombo_ = false;
    std::string current_;
    std::string loadedText_; // Text as a form file gave it, applied again once loading ends
    bool textLoaded_ = false;
    std::string entryText_;
    TStringList lines_;
    sDB_date date_;
    sDB_time time_;
    bool dateNavigator_ = false;
    sVexoEdit_dateNavigatorKind dateNavigatorKind_ = sDnkDay;
    HWND popupHandle_ = nullptr;
    static inline TVexoListPopUpMaker listPopUpMaker_ = nullptr;
    std::string label_;
    TColor labelColor_ = 0;
};

} // namespace vexo

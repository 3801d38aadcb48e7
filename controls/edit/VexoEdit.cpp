// How it works: the control is a window of the platform's edit class, so the framework's editor
// holds the text, the caret and the selection, and the control steers it through edit messages.
// The window procedure sees every key, character and click first (WndProc): it filters the
// characters by mode, turns the list keys and the navigator clicks into value changes, and leaves
// the rest to the default handling (the inherited window procedure, which ends in the editor).
// After each key processEndEdit copies the window text into the current text; when the focus
// leaves, setText normalises it by mode and doChange fires the change events once.
//
// Painting: the editor paints the window first (the default handling of WM_PAINT), then
// PaintSpecial draws the frame, the drop-down button, the navigator boxes and the label over it;
// the memo's scroll bar, a windowless child, paints itself last, over the frame's right side.
#include "controls/edit/VexoEdit.h"

#include "controls/edit/EditProperties.h"
#include "controls/edit/XDatePopUpForm.h"
#include "framework/core/ScopeGuard.h"
#include "framework/core/SysUtils.h"
#include "framework/core/Utf8.h"
#include "framework/windows/TControlCanvas.h"
#include "values/VexoConvert.h"

#include <algorithm>

namespace vexo {

namespace {

// The characters each mode lets through, as they have always been written (the 0 stands twice).
constexpr const char* dateChars = "01234567890/- ";
constexpr const char* timeChars = "01234567890:";
constexpr const char* integerChars = "01234567890- ";
constexpr const char* doubleChars = "01234567890-,. ";

std::string withoutBlanks(std::string text) {
    removeChar(U' ', text);
    return text;
}

// The date or time of a text: blanks removed, an empty text clears the value and the current text
// (false: the caller returns at once). A value is formatted before it is kept, so one that cannot
// be formatted raises and leaves both as they were.
template <class Value>
bool setValueText(const std::string& text, const std::string& format, Value& stored, std::string& current) {
    const std::string compact = withoutBlanks(text);
    if (compact.empty()) {
        stored.clear();
        current.clear();
        return false;
    }
    Value value;
    value.setText(compact);
    current = value.format(format);
    stored = value;
    return true;
}

std::size_t charCount(const std::string& text) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < text.size(); ++n)
        sUtf8Next(text, pos);
    return n;
}

} // namespace

TVexoEdit::TVexoEdit(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {
    RegisterEditClasses();
    SetBounds(Left(), Top(), 121, 17);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    SetControlStyle(ControlStyle() +
                    TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight});
    scrollBar_ = new TVexoScroll(this);
    scrollBar_->SetVisible(false);
    scrollBar_->SetControlStyle(scrollBar_->ControlStyle() + TControlStyle{csNoDesignVisible});
    scrollBar_->SetParent(this);
    scrollBar_->OnScroll = [this](TObject* sender, TScrollCode code, int& position) {
        ScrollBarMove(sender, code, position);
    };
}

TVexoEdit::~TVexoEdit() = default;

// Mode, format and value.

void TVexoEdit::setMode(sVexoEditMode mode) {
    mode_ = mode;
    if (mode == sEditDate && format_.empty()) format_ = "DD/MM/YYYY";
    if (mode == sEditTime && format_.empty()) format_ = "HH:MM"; // MM after HH: minutes
    switch (mode) {
    case sEditDate:
        accepted_ = dateChars;
        break;
    case sEditTime:
        accepted_ = timeChars;
        break;
    case sEditInteger:
        accepted_ = integerChars;
        break;
    case sEditDouble:
        accepted_ = doubleChars;
        break;
    default:
        accepted_.clear();
        break;
    }
    if (mode == sEditBoolean && comboTexts_.Count() == 0) {
        clear();
        add("no", "false");
        add("s\xC3\xAD", "true");
    }
    SetCursor(IsCombo() ? crHandPoint : crIBeam);
    placeScrollBar();
    RecreateWnd();
    Invalidate();
}

void TVexoEdit::setFormat(const std::string& format) {
    if (format == format_) return;
    format_ = format;
    if (mode_ == sEditDate) setWindowText(date_.isEmpty() ? std::string() : date_.format(format_));
    Invalidate();
}

void TVexoEdit::setText(const std::string& value) {
    if (ComponentState().Contains(csLoading)) {
        loadedText_ = value;
        textLoaded_ = true;
    }
    switch (mode_) {
    case sEditString:
    case sEditMemo:
        current_ = value;
        break;
    case sEditDate:
        if (!setValueText(value, format_, date_, current_)) return;
        break;
    case sEditTime:
        if (!setValueText(value, format_, time_, current_)) return;
        break;
    case sEditList:
    case sEditBoolean:
        itemIndex_ = -1;
        for (int i = 0; i < comboValues_.Count(); ++i) {
            if (comboValues_.Get(i) != value) continue;
            itemIndex_ = i;
            setWindowText(comboTexts_.Get(i));
            Invalidate();
            return;
        }
        return;
    case sEditInteger: {
        current_.clear();
        const std::string text = withoutBlanks(value);
        if (text.empty()) return;
        current_ = intToText(StrToIntDef(text, 0));
        break;
    }
    case sEditDouble: {
        current_.clear();
        const std::string text = withoutBlanks(value);
        if (text.empty()) return;
        const double number = decimalTextToFloat(text);
        current_ = format_.empty() ? floatToText(2, number) : FormatFloat(format_, number);
        break;
    }
    }
    setWindowText(current_);
    placeScrollBar();
    SetModified(false);
    Invalidate();
}

std::string TVexoEdit::getText() const {
    switch (mode_) {
    case sEditList:
    case sEditBoolean:
        return itemIndex_ >= 0 && itemIndex_ < comboValues_.Count() ? comboValues_.Get(itemIndex_)
                                                                    : std::string();
    case sEditTime:
        return time_.format(format_);
    case sEditDate:
        return date_.isEmpty() ? std::string() : date_.format(format_);
    default:
        return current_;
    }
}

std::string TVexoEdit::getTextVisible() const {
    if (mode_ != sEditList && mode_ != sEditBoolean) return getText();
    return itemIndex_ >= 0 && itemIndex_ < comboValues_.Count() ? comboTexts_.Get(itemIndex_) : std::string();
}

void TVexoEdit::setDate(const sDB_date& date) {
    setWindowText(date.isEmpty() ? std::string() : date.format(format_));
    date_ = date;
    Invalidate();
}

void TVexoEdit::setTime(const sDB_time& time) {
    setWindowText(time.format(format_));
    time_ = time;
    Invalidate();
}

void TVexoEdit::setDateNavigator(bool value) {
    dateNavigator_ = value;
    Invalidate();
}
void TVexoEdit::setDateNavigatorKind(sVexoEdit_dateNavigatorKind kind) {
    dateNavigatorKind_ = kind;
    Invalidate();
}
void TVexoEdit::setShowFrame(bool value) {
    showFrame_ = value;
    Invalidate();
}
void TVexoEdit::setLabel(const std::string& label) {
    label_ = label;
    Invalidate();
}
void TVexoEdit::setLabelColor(TColor color) {
    labelColor_ = color;
    Invalidate();
}

// List entries.

void TVexoEdit::add(const std::string& text, const std::string& value) {
    comboTexts_.Add(text);
    comboValues_.Add(value);
}

void TVexoEdit::clear() {
    comboTexts_.Clear();
    comboValues_.Clear();
}

void TVexoEdit::setItemIndex(int index) {
    if (mode_ != sEditList && mode_ != sEditBoolean) return;
    beginEdit();
    setText(comboValues_.Get(index));
}

void TVexoEdit::DefaultOnCombo(TObject* sender) {
    (void)sender;
    TVexoPopUpForm* popup = nullptr;
    if (mode_ == sEditDate)
        popup = new TXDatePopUpForm(this);
    else if ((mode_ == sEditList || mode_ == sEditBoolean) && listPopUpMaker_)
        popup = listPopUpMaker_(*this);
    if (!popup) return;
    // While the pop-up is being shown the handle names its inner window, so that the focus moving
    // there keeps the edit's focused look.
    ScopeGuard shown([this] { popupHandle_ = nullptr; });
    popupHandle_ = popup->Inner()->Handle();
    popup->SetVisible(true);
}

// Edit-box operations.

void TVexoEdit::Clear() {
    setWindowText(std::string());
}
void TVexoEdit::CopyToClipboard() {
    Perform(WM_COPY);
}
void TVexoEdit::CutToClipboard() {
    Perform(WM_CUT);
}
void TVexoEdit::PasteFromClipboard() {
    Perform(WM_PASTE);
}
void TVexoEdit::Undo() {
    Perform(WM_UNDO);
}
void TVexoEdit::ClearUndo() {
    Perform(EM_EMPTYUNDOBUFFER);
}
void TVexoEdit::SelectAll() {
    Perform(EM_SETSEL, 0, -1);
}
void TVexoEdit::SelectNone() {
    Perform(EM_SETSEL, 0, 0);
}
void TVexoEdit::ClearSelection() {
    Perform(WM_CLEAR);
}
bool TVexoEdit::GetCanUndo() {
    return HandleAllocated() && Perform(EM_CANUNDO) != 0;
}

bool TVexoEdit::IsAllSelected() {
    DWORD start = 0, end = 0;
    Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == 0 && end == charCount(windowText());
}

void TVexoEdit::SetMaxLength(int value) {
    maxLength_ = value;
    if (HandleAllocated()) DoSetMaxLength(value);
}
void TVexoEdit::DoSetMaxLength(int value) {
    Perform(EM_LIMITTEXT, static_cast<WPARAM>(value));
}

void TVexoEdit::SetPasswordChar(char32_t value) {
    if (value == passwordChar_) return;
    passwordChar_ = value;
    if (!HandleAllocated()) return;
    Perform(EM_SETPASSWORDCHAR, value);
    setWindowText(getText());
}

void TVexoEdit::SetReadOnly(bool value) {
    if (value == readOnly_) return;
    readOnly_ = value;
    if (HandleAllocated()) Perform(EM_SETREADONLY, value ? 1 : 0);
}

void TVexoEdit::SetCharCase(TEditCharCase value) {
    if (value == charCase_) return;
    charCase_ = value;
    RecreateWnd();
}
void TVexoEdit::SetHideSelection(bool value) {
    if (value == hideSelection_) return;
    hideSelection_ = value;
    RecreateWnd();
}
void TVexoEdit::SetOEMConvert(bool value) {
    if (value == oemConvert_) return;
    oemConvert_ = value;
    RecreateWnd();
}

bool TVexoEdit::GetModified() {
    return HandleAllocated() ? Perform(EM_GETMODIFY) != 0 : savedModified_;
}
void TVexoEdit::SetModified(bool value) {
    if (HandleAllocated())
        Perform(EM_SETMODIFY, value ? 1 : 0);
    else
        savedModified_ = value;
}

TStringList* TVexoEdit::getLines() {
    lines_.SetText(current_);
    return &lines_;
}
void TVexoEdit::setLines(const TStringList& lines) {
    setText(lines.GetText());
}

std::string TVexoEdit::windowText() {
    if (!HandleAllocated()) return Caption();
    const auto size = static_cast<std::size_t>(Perform(WM_GETTEXTLENGTH)) + 1;
    std::string text(size, '\0');
    const auto copied = Perform(WM_GETTEXT, size, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void TVexoEdit::setWindowText(const std::string& text) {
    SetCaption(text);
    if (HandleAllocated()) Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TVexoEdit::processEndEdit(bool final) {
    if (readOnly_ || IsCombo()) return;
    const std::string text = windowText();
    if (text != current_) {
        current_ = text;
        SetModified(true);
        Situa_ScrollBar();
        eventPostModified();
    }
    if (final && GetModified()) {
        setText(windowText());
        doChange();
        SetModified(false);
    }
}

void TVexoEdit::doChange() {
    if (OnChangePre) OnChangePre(this);
    if (OnChange) OnChange(this);
    if (OnChangePost) OnChangePost(this);
}

} // namespace vexo

// The edit window's text, selection and typing, and its answers to the edit messages (Default).
#include "framework/windows/TEditWindow_p.h"

#include "framework/graphics/TDeviceContext_p.h"
#include "framework/windows/FormatRange.h"
#include "framework/windows/RichText.h"
#include "framework/windows/TWindowWidget_p.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <cstring>

namespace vexo {

namespace {

// Positions in the text count characters (code points); Qt counts UTF-16 units.
int charsOfUnits(const QString& text, int units) {
    units = std::clamp(units, 0, static_cast<int>(text.size()));
    return static_cast<int>(QStringView(text).left(units).toUcs4().size());
}
int unitsOfChars(const QString& text, int chars) {
    int units = 0;
    for (int c = 0; c < chars && units < text.size(); ++c)
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
    return units;
}

// The password character of one line editor (Qt takes it from the style).
class PasswordStyle : public QProxyStyle {
public:
    explicit PasswordStyle(char32_t ch) : ch_(ch) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return static_cast<int>(ch_);
        return QProxyStyle::styleHint(hint, option, widget, data);
    }

private:
    char32_t ch_;
};

// The Qt key of a navigation or deletion key, 0 for other keys.
int navigationKey(WPARAM vk) {
    switch (static_cast<int>(vk)) {
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_UP:
        return Qt::Key_Up;
    case VK_DOWN:
        return Qt::Key_Down;
    case VK_HOME:
        return Qt::Key_Home;
    case VK_END:
        return Qt::Key_End;
    case VK_PRIOR:
        return Qt::Key_PageUp;
    case VK_NEXT:
        return Qt::Key_PageDown;
    case VK_DELETE:
        return Qt::Key_Delete;
    default:
        return 0;
    }
}

} // namespace

QString TEditWindow::text() const {
    return line_ ? line_->text() : memo_->toPlainText();
}

int TEditWindow::length() const {
    const QString t = text();
    return charsOfUnits(t, static_cast<int>(t.size()));
}

QString TEditWindow::ShownText() const {
    return line_ ? line_->displayText() : memo_->toPlainText();
}

bool TEditWindow::ReadOnly() const {
    return line_ ? line_->isReadOnly() : memo_->isReadOnly();
}

bool TEditWindow::hasSelection() const {
    return line_ ? line_->hasSelectedText() : memo_->textCursor().hasSelection();
}

void TEditWindow::selection(int& start, int& end) const {
    const QString t = text();
    int s = 0, e = 0;
    if (line_) {
        s = line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
        e = line_->hasSelectedText() ? line_->selectionEnd() : s;
    } else {
        const QTextCursor c = memo_->textCursor();
        s = c.selectionStart();
        e = c.selectionEnd();
    }
    start = charsOfUnits(t, s);
    end = charsOfUnits(t, e);
}

void TEditWindow::setSelection(int start, int end) {
    const QString t = text();
    const int all = length();
    if (start == -1) {
        // Only the selection goes; the caret stays.
        int s = 0, e = 0;
        selection(s, e);
        start = end = e;
    } else if (start == 0 && end == -1) {
        end = all;
    }
    if (end < 0 || end > all) end = all;
    start = std::clamp(start, 0, all);
    const int s = unitsOfChars(t, start), e = unitsOfChars(t, end);
    if (line_) {
        line_->setSelection(s, e - s);
    } else {
        QTextCursor c = memo_->textCursor();
        c.setPosition(s);
        c.setPosition(e, QTextCursor::KeepAnchor);
        memo_->setTextCursor(c);
    }
}

bool TEditWindow::deleteSelection() {
    if (ReadOnly() || !hasSelection()) return false;
    if (line_)
        line_->del();
    else
        memo_->textCursor().removeSelectedText();
    return true;
}

// Typed or pasted text, as the edit window takes it: case forced by the style, one line only in a
// single-line edit, no more characters than the limit, and without ES_AUTOHSCROLL no more than the
// formatting rectangle shows.
void TEditWindow::insertText(QString add) {
    if (ReadOnly()) return;
    if (style_ & ES_UPPERCASE) add = add.toUpper();
    if (style_ & ES_LOWERCASE) add = add.toLower();
    add.remove(QLatin1Char('\r'));
    if (line_) {
        const auto br = add.indexOf(QLatin1Char('\n'));
        if (br >= 0) add.truncate(br);
    }
    if (limit_ > 0) {
        int s = 0, e = 0;
        selection(s, e);
        const int room = limit_ - (length() - (e - s));
        if (room <= 0) return;
        add = add.left(unitsOfChars(add, room));
    }
    if (add.isEmpty()) return;
    if (line_ && !(style_ & ES_AUTOHSCROLL)) {
        QString after = line_->text();
        const int s = line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
        const int n = line_->hasSelectedText() ? static_cast<int>(line_->selectedText().size()) : 0;
        after.replace(s, n, add);
        const int room = (rectSet_ ? rect_.Width() : line_->width()) - 4;
        if (line_->fontMetrics().horizontalAdvance(after) > room) return;
    }
    if (line_)
        line_->insert(add);
    else
        memo_->insertPlainText(add);
}

// A multi-line editor shows its text whatever the character, as the platform's does.
void TEditWindow::setPasswordChar(char32_t ch) {
    passwordChar_ = ch;
    if (!line_) return;
    QStyle* old = passwordStyle_;
    passwordStyle_ = nullptr;
    line_->setStyle(nullptr);
    delete old;
    if (ch) {
        passwordStyle_ = new PasswordStyle(ch);
        passwordStyle_->setParent(line_);
        line_->setStyle(passwordStyle_);
    }
    line_->setEchoMode(ch ? QLineEdit::Password : QLineEdit::Normal);
}

bool TEditWindow::synthesizeKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers);
    return base_(&press);
}

void TEditWindow::applyChar(char32_t ch) {
    if (QChar::isPrint(ch)) {
        insertText(QString::fromUcs4(&ch, 1));
        return;
    }
    switch (ch) {
    case U'\b':
        if (!ReadOnly()) synthesizeKey(Qt::Key_Backspace, Qt::NoModifier);
        return;
    case U'\r':
        if (memo_) insertText(QStringLiteral("\n"));
        return;
    case 1: // Ctrl+A
        setSelection(0, -1);
        return;
    case 3: // Ctrl+C
        if (line_)
            line_->copy();
        else
            memo_->copy();
        return;
    case 22: { // Ctrl+V
        TMessage paste{WM_PASTE, 0, 0, 0};
        Default(paste);
        return;
    }
    case 24: { // Ctrl+X
        TMessage cut{WM_CUT, 0, 0, 0};
        Default(cut);
        return;
    }
    case 26: { // Ctrl+Z
        TMessage undo{WM_UNDO, 0, 0, 0};
        Default(undo);
        return;
    }
    default:
        return;
    }
}

int TEditWindow::lineCount() const {
    if (line_) return 1;
    int lines = 0;
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(memo_->document()->documentLayout());
    for (QTextBlock b = memo_->document()->begin(); b.isValid(); b = b.next()) {
        if (layout) layout->ensureBlockLayout(b);
        lines += std::max(1, b.lineCount());
    }
    return std::max(1, lines);
}

// The rich-edit class's own messages: its text, its length and its page formatting.
bool TEditWindow::richDefault(TMessage& m) {
    switch (m.Msg) {
    case EM_SETTEXTEX: {
        const char* s = reinterpret_cast<const char*>(m.LParam);
        SetRichEditText(*memo_->document(), s ? std::string_view(s) : std::string_view());
        if (formatter_) formatter_->Clear();
        m.Result = 1;
        return true;
    }
    case EM_GETTEXTLENGTHEX:
        m.Result = RichTextLength(*memo_->document());
        return true;
    case EM_FORMATRANGE: {
        const auto* range = reinterpret_cast<const FORMATRANGE*>(m.LParam);
        if (!range) {
            formatter_.reset();
            m.Result = 0;
            return true;
        }
        if (!formatter_) formatter_ = std::make_unique<TFormatRange>(*memo_->document());
        m.Result = formatter_->Format(range->hdc, range->rc, range->chrg.cpMin, m.WParam != 0);
        return true;
    }
    default:
        return false;
    }
}

bool TEditWindow::Default(TMessage& m) {
    if (rich_ && richDefault(m)) return true;
    QWidget* editor = Editor();
    switch (m.Msg) {
    case WM_SETTEXT: {
        const char* s = reinterpret_cast<const char*>(m.LParam);
        const QString t = s ? QString::fromUtf8(s) : QString();
        if (line_)
            line_->setText(t);
        else
            memo_->setPlainText(QString(t).remove(QLatin1Char('\r')));
        m.Result = 1;
        return true;
    }
    case WM_GETTEXT: {
        const QByteArray utf8 = text().toUtf8();
        char* buffer = reinterpret_cast<char*>(m.LParam);
        if (!buffer || m.WParam == 0) {
            m.Result = 0;
            return true;
        }
        std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(utf8.size()), m.WParam - 1);
        // Never cut a character in two.
        while (n > 0 && n < static_cast<std::size_t>(utf8.size()) &&
               (static_cast<unsigned char>(utf8[static_cast<qsizetype>(n)]) & 0xC0) == 0x80)
            --n;
        std::memcpy(buffer, utf8.constData(), n);
        buffer[n] = '\0';
        m.Result = static_cast<LRESULT>(n);
        return true;
    }
    case WM_GETTEXTLENGTH:
        m.Result = static_cast<LRESULT>(text().toUtf8().size());
        return true;
    case EM_GETSEL: {
        int s = 0, e = 0;
        selection(s, e);
        if (m.WParam) *reinterpret_cast<DWORD*>(m.WParam) = static_cast<DWORD>(s);
        if (m.LParam) *reinterpret_cast<DWORD*>(m.LParam) = static_cast<DWORD>(e);
        m.Result = MAKELPARAM(s, e);
        return true;
    }
    case EM_SETSEL:
        setSelection(static_cast<int>(static_cast<std::intptr_t>(m.WParam)), static_cast<int>(m.LParam));
        return true;
    case EM_GETMODIFY:
        m.Result = (line_ ? line_->isModified() : memo_->document()->isModified()) ? 1 : 0;
        return true;
    case EM_SETMODIFY:
        if (line_)
            line_->setModified(m.WParam != 0);
        else
            memo_->document()->setModified(m.WParam != 0);
        return true;
    case EM_SETREADONLY:
        style_ = m.WParam ? (style_ | ES_READONLY) : (style_ & ~ES_READONLY);
        if (line_)
            line_->setReadOnly(m.WParam != 0);
        else
            memo_->setReadOnly(m.WParam != 0);
        editor->unsetCursor(); // Qt sets its own on a change of read-only
        m.Result = 1;
        return true;
    case EM_LIMITTEXT:
        limit_ = static_cast<int>(m.WParam);
        return true;
    case EM_SETPASSWORDCHAR:
        setPasswordChar(static_cast<char32_t>(m.WParam));
        return true;
    case EM_GETPASSWORDCHAR:
        m.Result = static_cast<LRESULT>(passwordChar_);
        return true;
    case EM_GETRECT:
        if (m.LParam)
            *reinterpret_cast<TRect*>(m.LParam) =
                rectSet_ ? rect_ : Rect(0, 0, host_->width(), host_->height());
        return true;
    case EM_SETRECT:
        if (m.LParam) {
            rect_ = *reinterpret_cast<const TRect*>(m.LParam);
            rectSet_ = true;
        } else {
            rectSet_ = false;
        }
        applyRect();
        return true;
    case EM_GETLINECOUNT:
        m.Result = lineCount();
        return true;
    case EM_GETFIRSTVISIBLELINE:
        m.Result = memo_ ? memo_->verticalScrollBar()->value() : 0;
        return true;
    case WM_VSCROLL:
        if (memo_) {
            QScrollBar* bar = memo_->verticalScrollBar();
            switch (LOWORD(m.WParam)) {
            case SB_THUMBPOSITION:
            case SB_THUMBTRACK:
                bar->setValue(HIWORD(m.WParam));
                break;
            case SB_LINEUP:
                bar->setValue(bar->value() - 1);
                break;
            case SB_LINEDOWN:
                bar->setValue(bar->value() + 1);
                break;
            case SB_PAGEUP:
                bar->setValue(bar->value() - bar->pageStep());
                break;
            case SB_PAGEDOWN:
                bar->setValue(bar->value() + bar->pageStep());
                break;
            case SB_TOP:
                bar->setValue(bar->minimum());
                break;
            case SB_BOTTOM:
                bar->setValue(bar->maximum());
                break;
            default:
                break;
            }
        }
        return true;
    case EM_CANUNDO:
        m.Result = (line_ ? line_->isUndoAvailable() : memo_->document()->isUndoAvailable()) ? 1 : 0;
        return true;
    case EM_UNDO:
    case WM_UNDO: {
        const bool can =
            !ReadOnly() && (line_ ? line_->isUndoAvailable() : memo_->document()->isUndoAvailable());
        if (can) {
            if (line_)
                line_->undo();
            else
                memo_->undo();
        }
        m.Result = can ? 1 : 0;
        return true;
    }
    case EM_EMPTYUNDOBUFFER:
        if (line_) {
            // Setting the text anew is the only way Qt forgets a line's history.
            const bool modified = line_->isModified();
            int s = 0, e = 0;
            selection(s, e);
            line_->setText(line_->text());
            setSelection(s, e);
            line_->setModified(modified);
        } else {
            memo_->document()->clearUndoRedoStacks();
        }
        return true;
    case WM_CUT:
        if (!ReadOnly() && hasSelection()) {
            if (line_)
                line_->copy();
            else
                memo_->copy();
            deleteSelection();
        }
        return true;
    case WM_COPY:
        if (line_)
            line_->copy();
        else
            memo_->copy();
        return true;
    case WM_PASTE:
        insertText(QApplication::clipboard()->text());
        return true;
    case WM_CLEAR:
        deleteSelection();
        return true;
    case WM_PAINT:
        if (HDC dc = host_->PaintDC()) Render(dc->Painter());
        return true;
    case WM_KEYDOWN:
        // Characters act on WM_CHAR; here only what moves the caret or deletes, and Tab, which
        // passes the focus on as in any window.
        if (const int key = navigationKey(m.WParam)) {
            synthesizeKey(key, TWindowWidget::InputModifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
            return true;
        }
        if (m.WParam == static_cast<WPARAM>(VK_TAB)) host_->DefaultEvent(m.Msg);
        return true;
    case WM_CHAR:
        applyChar(static_cast<char32_t>(m.WParam));
        return true;
    case WM_SETFOCUS:
        host_->DefaultEvent(m.Msg);
        applyPalette();
        return true;
    case WM_KILLFOCUS: {
        // Qt's line editor drops its selection with the focus; the platform's keeps it (hidden
        // unless ES_NOHIDESEL).
        int start = 0, end = 0;
        selection(start, end);
        host_->DefaultEvent(m.Msg);
        if (line_ && start != end) setSelection(start, end);
        applyPalette();
        return true;
    }
    // The platform's edit neither takes system keys nor pastes with the middle button.
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!editor->hasFocus()) editor->setFocus(Qt::MouseFocusReason);
        host_->DefaultEvent(m.Msg);
        return true;
    default:
        return false;
    }
}

} // namespace vexo

// How it works: the edit window is a TWindowWidget with two children of the size of its client
// area, bottom to top:
//  - the editor (QLineEdit, or QPlainTextEdit under ES_MULTILINE), a real widget that keeps the
//    focus (it is the host's focus proxy), the caret, the selection and the undo history. Every
//    input and focus event it gets goes to the host, which turns it into the control's message
//    (keys and mouse pass the application's queue filter first, as any window's); the editor acts
//    only when the control leaves the message to the default handling (Default below);
//  - the overlay, a widget transparent to the mouse, which shows the host's picture.
// The editor never paints on the screen itself. Whenever it asks for a repaint (the caret blinks,
// the text changes), Qt repaints that area with the widgets above it, so the overlay paints it:
// each overlay paint is the host's WM_PAINT for that area, whose default handling renders the
// editor into the host's picture, and the control then draws over it (frame, buttons). So the
// screen, grab() and the pixel tests all see the one composed picture, and the editor keeps
// everything Qt does for input (focus, caret, selection by mouse) without a copy of it here.
#include "framework/windows/TEditWindow_p.h"

#include "framework/windows/FormatRange.h"
#include "framework/windows/TWinControl.h"

#include "framework/windows/TWindowWidget_p.h"

#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <algorithm>

namespace vexo {

namespace {

class LineEditor : public QLineEdit {
public:
    LineEditor(TWindowWidget* host, const TEditWindow* edit) : QLineEdit(host), host_(host), edit_(edit) {}
    bool baseEvent(QEvent* e) { return QLineEdit::event(e); }

protected:
    bool event(QEvent* e) override {
        return host_->InnerEvent(this, e, [this](QEvent* ev) { return QLineEdit::event(ev); });
    }
    void paintEvent(QPaintEvent* e) override {
        if (edit_->Rendering()) QLineEdit::paintEvent(e);
    }

private:
    TWindowWidget* host_;
    const TEditWindow* edit_;
};

class MemoEditor : public QPlainTextEdit {
public:
    MemoEditor(TWindowWidget* host, const TEditWindow* edit)
        : QPlainTextEdit(host), host_(host), edit_(edit) {}
    bool baseEvent(QEvent* e) { return QPlainTextEdit::event(e); }
    void setMargins(int left, int top, int right, int bottom) {
        setViewportMargins(left, top, right, bottom);
    }

protected:
    bool event(QEvent* e) override {
        return host_->InnerEvent(this, e, [this](QEvent* ev) { return QPlainTextEdit::event(ev); });
    }
    bool viewportEvent(QEvent* e) override {
        return host_->InnerEvent(viewport(), e,
                                 [this](QEvent* ev) { return QPlainTextEdit::viewportEvent(ev); });
    }
    void paintEvent(QPaintEvent* e) override {
        if (edit_->Rendering()) QPlainTextEdit::paintEvent(e);
    }

private:
    TWindowWidget* host_;
    const TEditWindow* edit_;
};

class Overlay : public QWidget {
public:
    explicit Overlay(TWindowWidget* host) : QWidget(host), host_(host) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        // Not marked opaque, though it paints every pixel: Qt drops the repaints of a widget that
        // an opaque sibling covers, and the editor's (caret, text) must reach the overlay.
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent* e) override { host_->ShowPicture(this, e->region(), true); }

private:
    TWindowWidget* host_;
};

} // namespace

// Each editor belongs to the window from its first line on: setting its text already makes Qt
// ask for its accessible interface, which the window decides.
TEditWindow::TEditWindow(TWindowWidget* host, DWORD style, const QString& text, bool rich)
    : host_(host), style_(rich ? style | ES_MULTILINE : style), rich_(rich) {
    style = style_;
    QWidget* editor = nullptr;
    if (style & ES_MULTILINE) {
        auto* memo = new MemoEditor(host, this);
        memo_ = memo;
        host->AdoptInnerWidget(memo);
        base_ = [memo](QEvent* e) { return memo->baseEvent(e); };
        memo->setFrameShape(QFrame::NoFrame);
        memo->document()->setDocumentMargin(1); // the platform's edit leaves a pixel round its text
        // An edit window's scroll bars are the control's own; a rich-edit window shows Qt's where
        // its style asks for them.
        memo->setVerticalScrollBarPolicy(rich && (style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                                      : Qt::ScrollBarAlwaysOff);
        memo->setHorizontalScrollBarPolicy(rich && (style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded
                                                                        : Qt::ScrollBarAlwaysOff);
        memo->setTabChangesFocus(true);
        memo->setLineWrapMode((style & ES_AUTOHSCROLL) ? QPlainTextEdit::NoWrap
                                                       : QPlainTextEdit::WidgetWidth);
        memo->setPlainText(QString(text).remove(QLatin1Char('\r')));
        memo->setReadOnly(style & ES_READONLY);
        memo->viewport()->unsetCursor();
        memo->viewport()->setAcceptDrops(false);
        host->AdoptInnerWidget(memo->viewport());
        editor = memo;
    } else {
        auto* line = new LineEditor(host, this);
        line_ = line;
        host->AdoptInnerWidget(line);
        base_ = [line](QEvent* e) { return line->baseEvent(e); };
        line->setFrame(false);
        line->setText(text);
        line->setCursorPosition(0);
        line->setReadOnly(style & ES_READONLY);
        if (style & ES_PASSWORD) setPasswordChar(U'*');
        line->setAlignment((style & ES_RIGHT)    ? Qt::AlignRight
                           : (style & ES_CENTER) ? Qt::AlignHCenter
                                                 : Qt::AlignLeft);
        editor = line;
    }
    editor->unsetCursor();         // the control's cursor shows over the editor
    editor->setAcceptDrops(false); // text arrives by keys and messages only
    editor->setGeometry(host->rect());
    editor->setFocusPolicy(host->focusPolicy());
    editor->show();
    host->setFocusProxy(editor);
    overlay_ = new Overlay(host);
    overlay_->setGeometry(host->rect());
    overlay_->show();
    applyPalette();
}

TEditWindow::~TEditWindow() {
    QWidget* editor = Editor();
    host_->setFocusProxy(nullptr);
    if (memo_) host_->ForgetInnerWidget(memo_->viewport());
    host_->ForgetInnerWidget(editor);
    delete overlay_;
    delete editor;
}

QWidget* TEditWindow::Editor() const {
    return line_ ? static_cast<QWidget*>(line_) : static_cast<QWidget*>(memo_);
}

void TEditWindow::Resized() {
    Editor()->setGeometry(host_->rect());
    overlay_->setGeometry(host_->rect());
    applyRect();
}

void TEditWindow::SetFocusPolicy(Qt::FocusPolicy policy) {
    Editor()->setFocusPolicy(policy);
}

void TEditWindow::SetLook(const QFont& font, const QColor& base, const QColor& text) {
    font_ = font;
    baseColor_ = base;
    textColor_ = text;
    Editor()->setFont(font);
    applyPalette();
}

void TEditWindow::applyPalette() {
    QPalette palette = Editor()->palette();
    // Without ES_NOHIDESEL the selection is not shown while the editor lacks the focus.
    const bool hideSelection = !(style_ & ES_NOHIDESEL) && !Editor()->hasFocus();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, baseColor_);
        palette.setColor(group, QPalette::Window, baseColor_);
        palette.setColor(group, QPalette::Text, textColor_);
        palette.setColor(group, QPalette::Highlight, hideSelection ? baseColor_ : QColor(0, 0, 128));
        palette.setColor(group, QPalette::HighlightedText, hideSelection ? textColor_ : QColor(Qt::white));
    }
    Editor()->setPalette(palette);
}

void TEditWindow::Render(QPainter& painter) {
    painter.save();
    rendering_ = true;
    Editor()->render(&painter, QPoint(0, 0), QRegion(),
                     QWidget::DrawChildren | QWidget::DrawWindowBackground);
    rendering_ = false;
    painter.restore();
}

void TEditWindow::applyRect() {
    const int w = host_->width(), h = host_->height();
    const TRect r = rectSet_ ? rect_ : Rect(0, 0, w, h);
    const int left = std::max(0, r.Left), top = std::max(0, r.Top);
    const int right = std::max(0, w - r.Right), bottom = std::max(0, h - r.Bottom);
    if (line_)
        line_->setTextMargins(left, top, right, bottom);
    else
        static_cast<MemoEditor*>(memo_)->setMargins(left, top, right, bottom);
}

} // namespace vexo

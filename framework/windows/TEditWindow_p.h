#pragma once
// The editor that a window of the platform's edit class ("EDIT") hosts over its whole client area:
// a QLineEdit, or a QPlainTextEdit under ES_MULTILINE, with the default handling of the edit
// messages on it. TWindowWidget owns it and routes the editor's events; nothing else uses it.
//
// Styles: ES_MULTILINE chooses the editor; ES_UPPERCASE and ES_LOWERCASE force the case of typed
// and pasted text; ES_PASSWORD shows '*'; ES_READONLY; ES_NOHIDESEL keeps the selection shown
// without the focus; ES_CENTER and ES_RIGHT align a line; without ES_AUTOHSCROLL a line takes no
// more text than its rectangle shows, and a multi-line text wraps at the window's width.
// ES_AUTOVSCROLL and ES_OEMCONVERT change nothing: a multi-line editor always scrolls, and text
// is Unicode throughout.
#include "framework/graphics/GdiTypes.h"
#include "framework/windows/Messages.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <memory>

class QEvent;
class QLineEdit;
class QPainter;
class QPlainTextEdit;
class QStyle;
class QWidget;

namespace vexo {

class TFormatRange;
class TWindowWidget;

class TEditWindow {
public:
    // The Qt handling of an editor event, as the editor class itself would do it.
    using BaseEvent = std::function<bool(QEvent*)>;

    // rich: a window of the rich-edit class, multi-line, whose text may be rich text, with the
    // scroll bars that WS_VSCROLL and WS_HSCROLL ask for, and the page formatting of its messages.
    TEditWindow(TWindowWidget* host, DWORD style, const QString& text, bool rich = false);
    ~TEditWindow();
    TEditWindow(const TEditWindow&) = delete;
    TEditWindow& operator=(const TEditWindow&) = delete;

    // The widget that takes the focus (the host's focus proxy).
    QWidget* Editor() const;
    // The default handling of message; false when the message is none of the edit window's.
    bool Default(TMessage& message);
    // Draws the editor's picture at the painter's origin.
    void Render(QPainter& painter);
    bool Rendering() const { return rendering_; }
    void Resized();
    void SetLook(const QFont& font, const QColor& base, const QColor& text);
    void SetFocusPolicy(Qt::FocusPolicy policy);

    // What assistive technology reads of the editor: the text as shown (a password as its mask
    // characters) and its states.
    QString ShownText() const;
    bool ReadOnly() const;
    bool Password() const { return passwordChar_ != 0; }
    bool MultiLine() const { return memo_ != nullptr; }

private:
    QString text() const;
    int length() const; // in characters
    bool hasSelection() const;
    void selection(int& start, int& end) const; // in characters
    void setSelection(int start, int end);
    void insertText(QString text);
    bool deleteSelection();
    bool synthesizeKey(int qtKey, Qt::KeyboardModifiers modifiers);
    void applyChar(char32_t ch);
    void setPasswordChar(char32_t ch);
    void applyRect();
    void applyPalette();
    int lineCount() const;
    bool richDefault(TMessage& message);

    TWindowWidget* host_;
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QWidget* overlay_ = nullptr;
    BaseEvent base_; // the editor's own event handling, for synthesized keys
    DWORD style_;
    int limit_ = 0;
    char32_t passwordChar_ = 0;
    QStyle* passwordStyle_ = nullptr; // owned by the line editor
    TRect rect_{};
    bool rectSet_ = false;
    bool rendering_ = false;
    bool rich_ = false;
    std::unique_ptr<TFormatRange> formatter_; // kept between page-formatting calls
    QFont font_;
    QColor baseColor_ = Qt::white;
    QColor textColor_ = Qt::black;
};

} // namespace vexo

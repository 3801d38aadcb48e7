// How it works: a control over an edit window that implements TAccessibleText is one editable text
// for assistive technology, read from the control and its edit window at the moment it is asked.
// Two Qt objects stand for it, each with a TAccessibleEditText:
//  - the window, the text's node in the tree of accessible objects. Its editor and the overlay
//    that shows its picture are its workings, not children of their own (as Qt hides a spin box's
//    line edit);
//  - the editor inside it, which holds the focus: Qt's focus and text-change notifications name
//    the editor, so a screen reader following the focus reads the same name, value and states.
#include "framework/windows/Accessibility_p.h"

#include "framework/windows/TAccessibleText.h"
#include "framework/windows/TEditWindow_p.h"
#include "framework/windows/TWinControl.h"
#include "framework/windows/TWindowWidget_p.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

namespace vexo {

namespace {

class TAccessibleEditText : public QAccessibleWidget {
public:
    TAccessibleEditText(QWidget* widget, TWindowWidget* window)
        : QAccessibleWidget(widget, QAccessible::EditableText), window_(window) {}

    bool isValid() const override { return QAccessibleWidget::isValid() && source() && edit(); }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        const TAccessibleText* s = source();
        const TEditWindow* e = edit();
        if (!s || !e) return {};
        if (t == QAccessible::Name) return QString::fromStdString(s->AccessibleName());
        if (t == QAccessible::Value) return e->ShownText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State st = QAccessibleWidget::state();
        const TEditWindow* e = edit();
        if (!e || !source()) {
            st.invalid = true;
            return st;
        }
        st.readOnly = e->ReadOnly();
        st.editable = !st.readOnly;
        st.passwordEdit = e->Password();
        st.multiLine = e->MultiLine();
        st.selectableText = !st.passwordEdit;
        return st;
    }

private:
    // Null once the control has gone, or while its edit window is not there.
    const TAccessibleText* source() const {
        return window_ ? dynamic_cast<const TAccessibleText*>(window_->Control()) : nullptr;
    }
    const TEditWindow* edit() const { return window_ ? window_->EditWindow() : nullptr; }

    QPointer<TWindowWidget> window_;
};

} // namespace

QAccessibleInterface* AccessibleTextFor(QObject* object) {
    TWindowWidget* window = TWindowWidget::HostOf(object);
    if (!window || !dynamic_cast<const TAccessibleText*>(window->Control())) return nullptr;
    // Decided without the edit window: Qt asks for the editor's interface while the edit window
    // is being made, and keeps the answer for the editor's life. The memo's viewport belongs to the
    // window too, but only as a part of the editor.
    if (object != window && !qobject_cast<QLineEdit*>(object) && !qobject_cast<QPlainTextEdit*>(object))
        return nullptr;
    return new TAccessibleEditText(static_cast<QWidget*>(object), window);
}

} // namespace vexo

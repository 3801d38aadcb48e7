// How it works: the pop-up shows without a border, takes the activation and gives its inner
// control the focus while the edit's show call runs (so the edit sees its focus go to the pop-up it
// opened). Its key handler sits in the application message hook after the inner control's own, so
// the list or the calendar moves with the arrows first and Enter and Escape reach the pop-up. Every
// way of closing posts WM_CLOSE; the close handling tells the edit, stops listening and frees the
// form, and gives the activation back to the edit's window when the pop-up still had it.
#include "controls/edit/VexoPopUpForm.h"

#include "controls/common/AppMsgHandler.h"
#include "controls/edit/VexoEdit.h"
#include "controls/misc/VexoFrame.h"
#include "framework/windows/OutsidePresses.h"
#include "framework/windows/WinApi.h"

namespace vexo {

TVexoPopUpForm::TVexoPopUpForm(TVexoEdit* edit) : TForm(edit), edit_(edit) {
    SetColor(clWindow);
    SetBorderStyle(bsNone);
    frame_ = new TVexoFrame(this);
    frame_->SetParent(this);
    frame_->SetBorderWidth(1);
    frame_->setFrameColor(FrameColor);
    OnShow = [this](TObject*) { shown(); };
    OnDeactivate = [this](TObject*) {
        if (!closed_) Close();
    };
    OnClose = [this](TObject*, TCloseAction& action) { closed(action); };
}

TVexoPopUpForm::~TVexoPopUpForm() {
    stopListening();
}

void TVexoPopUpForm::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    TWinControl* top = edit_;
    while (top->Parent())
        top = top->Parent();
    if (top != edit_) params.WndParent = top->Handle();
}

TPoint TVexoPopUpForm::underEdit() const {
    TPoint p = edit_->ClientToScreen(Point(0, edit_->Height()));
    --p.y;
    return p;
}

void TVexoPopUpForm::listen() {
    AppMsgHandler::RegisterControl(this,
                                   [this](MSG& message, bool& handled) { keyMessage(message, handled); });
    SwallowPressesOutside(this);
    open_ = this;
}

void TVexoPopUpForm::stopListening() {
    StopSwallowingPressesOutside(this);
    if (open_ == this) open_ = nullptr;
}

void TVexoPopUpForm::shown() {
    TWinControl* inner = Inner();
    inner->SetFocus();
    SetActiveWindow(Handle());
}

bool TVexoPopUpForm::isOwnWindow(HWND hwnd) {
    for (TControl* c = FindControl(hwnd); c; c = c->Parent())
        if (c == this) return true;
    return false;
}

void TVexoPopUpForm::keyMessage(MSG& message, bool& handled) {
    if (message.message != WM_KEYDOWN || closed_ || !isOwnWindow(message.hwnd)) return;
    switch (message.wParam) {
    case VK_RETURN:
        choose();
        handled = true;
        return;
    case VK_ESCAPE:
        Close();
        handled = true;
        return;
    default:
        return;
    }
}

void TVexoPopUpForm::choose() {
    if (apply()) Close();
}

void TVexoPopUpForm::closed(TCloseAction& action) {
    if (closed_) {
        action = caNone;
        return;
    }
    closed_ = true;
    const bool hadActivation = Active();
    if (edit_->OnPopClose) edit_->OnPopClose(edit_);
    stopListening();
    // Closed by a key: the user goes on in the edit. Closed by a click elsewhere: the activation
    // went where the click was.
    if (hadActivation && edit_->Showing()) SetActiveWindow(edit_->Handle());
    action = caFree;
}

} // namespace vexo

#include "framework/windows/TForm.h"

#include "framework/core/Exception.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TCanvas.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TWindowWidget_p.h"
#include "framework/windows/WinApi.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace vexo {

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    TControl::SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
    if (modalLoop_) modalLoop_->exit(0);
    BeforeDestruction();
}

void TForm::BeforeDestruction() {
    if (destroyed_) return;
    destroyed_ = true;
    if (!OnDestroy) return;
    try {
        OnDestroy(this);
    } catch (const std::exception& error) {
        Application->HandleException(error);
    }
}

void TForm::DoCreate() {
    if (created_) return;
    created_ = true;
    if (OnCreate) OnCreate(this);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == borderIcons_) return;
    borderIcons_ = icons;
    if (HandleAllocated()) RecreateWnd();
}

void TForm::SetPixelsPerInch(int value) {
    if (value < 1) throw Exception("PixelsPerInch must be positive, not " + std::to_string(value));
    pixelsPerInch_ = value;
}

int TForm::TextHeight() const {
    if (textHeight_ > 0) return textHeight_;
    // Measured on a scratch bitmap: the form may have no window yet.
    TBitmap scratch;
    scratch.SetSize(1, 1);
    scratch.Canvas()->SetFont(*Font());
    return scratch.Canvas()->TextHeight("0");
}

void TForm::SetClientSize(int width, int height) {
    SetBounds(Left(), Top(), width, height);
}

void TForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style &= ~(WS_CHILD | WS_VISIBLE);
    switch (borderStyle_) {
    case bsNone:
        params.Style |= WS_POPUP;
        break;
    case bsSingle:
        params.Style |= WS_CAPTION | WS_SYSMENU | WS_BORDER;
        break;
    case bsSizeable:
        params.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION | WS_SYSMENU;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
}

void TForm::CreateWnd() {
    TWinControl::CreateWnd();
    if (QWidget* w = WindowWidget(); w && (WindowParams().Style & WS_CAPTION) == WS_CAPTION) {
        Qt::WindowFlags flags = w->windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        flags &= ~(Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint);
        const bool dialog =
            borderStyle_ == bsDialog || borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin;
        if (borderIcons_.Contains(biSystemMenu)) {
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            if (!dialog && borderIcons_.Contains(biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
            if (!dialog && borderIcons_.Contains(biMaximize)) flags |= Qt::WindowMaximizeButtonHint;
            if (borderIcons_.Contains(biHelp)) flags |= Qt::WindowContextHelpButtonHint;
        }
        w->setWindowFlags(flags);
    }
    if (QWidget* w = WindowWidget(); w && borderStyle_ != bsSizeable && borderStyle_ != bsSizeToolWin)
        w->setFixedSize(Width(), Height());
}

void TForm::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
    if (QWidget* w = WindowWidget(); w && borderStyle_ != bsSizeable && borderStyle_ != bsSizeToolWin)
        w->setFixedSize(Width(), Height());
}

bool TForm::Showing() const {
    return WindowWidget() && WindowWidget()->isVisible();
}

void TForm::placeOnScreen() {
    if (placed_) return;
    placed_ = true;
    if (position_ == poDesigned || position_ == poDefault || position_ == poDefaultPosOnly ||
        position_ == poDefaultSizeOnly)
        return;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect area = screen->geometry();
    auto* ownerForm = dynamic_cast<TForm*>(Owner());
    if (position_ == poMainFormCenter && Application->MainForm() && Application->MainForm() != this)
        ownerForm = Application->MainForm();
    if ((position_ == poMainFormCenter || position_ == poOwnerFormCenter) && ownerForm &&
        ownerForm->Showing())
        area = QRect(ownerForm->Left(), ownerForm->Top(), ownerForm->Width(), ownerForm->Height());
    SetBounds(area.x() + (area.width() - Width()) / 2, area.y() + (area.height() - Height()) / 2, Width(),
              Height());
}

void TForm::SetVisible(bool visible) {
    if (visible) {
        DoCreate();
        Handle();
        placeOnScreen();
        const bool wasVisible = Visible();
        TControl::SetVisible(true);
        if (!wasVisible && OnShow) OnShow(this);
    } else {
        const bool wasVisible = Visible();
        TControl::SetVisible(false);
        if (wasVisible && OnHide) OnHide(this);
        if (modalLoop_) modalLoop_->exit(0);
    }
}

void TForm::VisibleChanged() {
    QWidget* w = WindowWidget();
    if (!w) return;
    if (!Visible()) {
        w->hide();
        return;
    }
    w->show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) w->raise();
    w->activateWindow();
}

void TForm::Close() {
    PostMessage(Handle(), WM_CLOSE, 0, 0);
}

void TForm::Release() {
    PostMessage(Handle(), CM_RELEASE, 0, 0);
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::DoClose() {
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (modal_ && modalResult_ == mrNone) modalResult_ = mrCancel;
    if (Application->MainForm() == this) Application->Terminate();
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        if (QWidget* w = WindowWidget()) w->showMinimized();
        break;
    case caFree:
        if (modal_) {
            freeAfterModal_ = true;
            Hide();
        } else {
            Hide();
            Release();
        }
        break;
    default:
        break;
    }
}

void TForm::SetModalResult(TModalResult result) {
    modalResult_ = result;
    if (result != mrNone && modalLoop_) modalLoop_->exit(0);
}

TModalResult TForm::ShowModal() {
    modalResult_ = mrNone;
    modal_ = true;
    Handle();
    if (QWidget* w = WindowWidget()) w->setWindowModality(Qt::ApplicationModal);
    Show();
    QPointer<QWidget> window = WindowWidget();
    QEventLoop loop;
    modalLoop_ = &loop;
    while (modalResult_ == mrNone && Visible() && window) {
        loop.exec();
        // The application's loop was told to end: its modal forms end with it.
        if (modalResult_ == mrNone && Application->Terminated()) break;
    }
    modalLoop_ = nullptr;
    modal_ = false;
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    if (window) window->setWindowModality(Qt::NonModal);
    Hide();
    const TModalResult result = modalResult_;
    if (freeAfterModal_) {
        freeAfterModal_ = false;
        Release();
    }
    return result;
}

void TForm::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_CLOSE:
        DoClose();
        return;
    case CM_RELEASE:
        BeforeDestruction();
        delete this;
        return;
    case WM_ACTIVATE:
        active_ = message.WParam != 0;
        if (active_) {
            if (OnActivate) OnActivate(this);
        } else if (OnDeactivate) {
            OnDeactivate(this);
        }
        return;
    default:
        TWinControl::Dispatch(message);
        return;
    }
}

} // namespace vexo

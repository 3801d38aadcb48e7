#pragma once
// A top-level window: caption, border style (ordinary or borderless pop-up), initial position,
// activation events and closing with a close action that may free the form.
//
// OnCreate runs once, after the constructors: when the application creates the form, or at the
// latest when the form is first shown, so that handlers assigned in a derived constructor see the
// finished object. Close posts WM_CLOSE; its handling asks OnClose for the close action.
#include "framework/windows/TWinControl.h"
#include <functional>

class QEventLoop;

namespace vexo {

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
// The buttons of the title bar. A dialog frame shows no minimize or maximize button, as the
// framework's dialogs never had them.
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TFlagSet<TBorderIcon>;
constexpr TBorderIcons DefaultBorderIcons{biSystemMenu, biMinimize, biMaximize};

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;

// Posted to a form to free it once the messages in hand are done (Release, caFree).
constexpr UINT CM_RELEASE = CM_BASE + 33;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    void SetClientSize(int width, int height) override;

    // What the form was designed at, kept so that its file reads back as it was written. The form
    // does not rescale itself: the layer draws at the designed pixel size on every screen.
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value); // values below 1 are refused
    bool Scaled() const { return scaled_; }
    void SetScaled(bool value) { scaled_ = value; }
    // The height of the form font's text: measured, unless a form file stated the designed one.
    int TextHeight() const;
    void SetTextHeight(int value) { textHeight_ = value > 0 ? value : 0; } // below 1: measure again
    // Only stored: OnCreate always runs after the constructors (see above).
    bool OldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }
    void SetBounds(int left, int top, int width, int height) override;

    void SetVisible(bool visible) override;
    bool Showing() const override;
    // Posts WM_CLOSE; the form closes when the message is handled.
    void Close();
    // Frees the form after the messages being handled now (safe from the form's own handlers).
    void Release();
    // Shows the form modally and returns its ModalResult (mrCancel when closed otherwise).
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    // A non-zero result ends ShowModal.
    void SetModalResult(TModalResult result);
    bool Active() const { return active_; }

    // Runs OnCreate if it has not run yet.
    void DoCreate();
    // Runs OnDestroy if it has not run yet. The form's destructor does it at the latest, when the
    // members of a derived class are already gone: a derived form whose handler uses them calls this
    // first thing in its own destructor. Release and the free close action run it before deleting.
    void BeforeDestruction();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void VisibleChanged() override;
    virtual bool CloseQuery();
    // The WM_CLOSE handling: close query, OnClose, then the close action.
    void DoClose();

private:
    void placeOnScreen();

    TFormBorderStyle borderStyle_ = bsSizeable;
    TPosition position_ = poDesigned;
    TBorderIcons borderIcons_ = DefaultBorderIcons;
    int pixelsPerInch_ = 96;
    int textHeight_ = 0; // 0: measure the font
    bool scaled_ = true;
    bool oldCreateOrder_ = false;
    TModalResult modalResult_ = mrNone;
    bool created_ = false;
    bool destroyed_ = false;
    bool active_ = false;
    bool modal_ = false;
    bool placed_ = false;
    bool freeAfterModal_ = false;
    QEventLoop* modalLoop_ = nullptr;
};

} // namespace vexo

#pragma once
// What the edit control's two pop-ups share: a borderless top-level form owned by the edit, a
// framed panel filling it with the control that shows the choices inside, placement under the edit,
// and the way it closes. Enter applies the choice and closes, Escape closes, and so does the loss of
// activation (a press outside the pop-up is swallowed and only takes the activation away). On
// closing the edit's OnPopClose fires and the form frees itself. One pop-up is open at a time.
#include "framework/windows/Messages.h"
#include "framework/windows/TForm.h"

namespace vexo {

class TVexoEdit;
class TVexoFrame;

class TVexoPopUpForm : public TForm {
public:
    static constexpr TColor FrameColor = 0x808080;

    ~TVexoPopUpForm() override;

    TVexoEdit* Edit() const { return edit_; }
    TVexoFrame* Frame() const { return frame_; }
    // The control showing the choices, which takes the keys and the focus.
    virtual TWinControl* Inner() const = 0;
    // The pop-up open now, or nullptr.
    static TVexoPopUpForm* Open() { return open_; }

    // Applies the choice to the edit (through its editing hooks and change events); false when
    // there is nothing to apply, and then the pop-up stays open.
    virtual bool apply() = 0;
    // Applies, and closes when something was applied.
    void choose();

protected:
    // The edit owns the form; the frame is made here, the inner control by the derived class.
    explicit TVexoPopUpForm(TVexoEdit* edit);
    // The window of the edit's form owns the pop-up's: the pop-up stays above it and takes input
    // while that form is modal.
    void CreateParams(TCreateParams& params) override;
    // The screen point of the pop-up's top-left corner: under the edit, over its bottom line.
    TPoint underEdit() const;
    // From now on the keys of the pop-up come to it first and presses outside it are swallowed.
    void listen();

private:
    void keyMessage(MSG& message, bool& handled);
    bool isOwnWindow(HWND hwnd);
    void shown();
    void closed(TCloseAction& action);
    void stopListening();

    TVexoEdit* edit_;
    TVexoFrame* frame_;
    bool closed_ = false;
    static inline TVexoPopUpForm* open_ = nullptr;
};

} // namespace vexo

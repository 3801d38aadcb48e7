#pragma once
// A multi-line text box whose text may be rich text, and that prints itself. Its window is the
// framework's rich-edit window: SetText hands it the text, which it reads as rich text when it
// begins with "{\rtf" and as plain text otherwise; Print lays the text out on the printer's pages.
#include "framework/windows/TWinControl.h"
#include <string>

namespace vexo {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TVexoRichEdit : public TWinControl {
public:
    explicit TVexoRichEdit(TComponent* owner);
    ~TVexoRichEdit() override;

    // A window made again (a new border or new scroll bars) shows the text last given here.
    void SetText(const std::string& text);
    // The text without its formatting.
    std::string PlainText();
    // Prints the whole text under the title: the page less 700 twips on every side, a new page
    // while text remains. Raises the printer's error when the job cannot start.
    void Print(const std::string& title);

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Resize() override;

private:
    int border() const { return borderStyle_ == bsSingle ? 2 : 0; }
    void setTextRect();

    TBorderStyle borderStyle_ = bsSingle;
    bool readOnly_ = false;
    TScrollStyle scrollBars_ = ssNone;
    std::string text_;
};

} // namespace vexo

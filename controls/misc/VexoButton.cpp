#include "controls/misc/VexoButton.h"

#include "controls/misc/MiscProperties.h"
#include "framework/graphics/Gdi.h"
#include "framework/graphics/SysColors.h"
#include "framework/graphics/TBitmap.h"
#include "framework/stdctrls/TAction.h"
#include "framework/streaming/FilerErrors.h"
#include "framework/streaming/FormReader.h"
#include "framework/windows/Messages.h"
#include "framework/windows/TApplication.h"
#include "framework/windows/TControlCanvas.h"
#include "framework/windows/TCursor.h"
#include "framework/windows/TMouse.h"

#include <algorithm>

namespace vexo {

namespace {

constexpr int ColorCount = 5;
constexpr TColor lightBlue = 16758711; // red 183, green 183, blue 255

// One image of the strip, carrying the strip's palette and transparency. Every image takes the
// strip's transparent colour (its bottom-left pixel unless one was set), not its own corner.
void cutImage(TBitmap& strip, TBitmap& image, int index, int width) {
    const int height = strip.Height();
    image.SetSize(width, height);
    image.SetPalette(strip.Palette());
    image.SetTransparentMode(strip.TransparentMode());
    image.SetTransparentColor(strip.TransparentColor());
    image.SetTransparent(true);
    image.Canvas()->CopyRect(Rect(0, 0, width, height), strip.Canvas(),
                             Rect(index * width, 0, (index + 1) * width, height));
}

} // namespace

TVexoButton::TVexoButton(TComponent* owner)
    : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()), normal_(std::make_unique<TBitmap>()),
      disabled_(std::make_unique<TBitmap>()), colors_{clBlue, lightBlue, clBlack, clNone, clNone} {
    RegisterMiscClasses();
    SetCursor(crHandPoint);
    // The face is the parent's: only the hover colour and the frame set the button apart.
    SetParentColor(true);
    // A strip read from a form file, or drawn on, rebuilds the images as one set through setGlyph.
    glyph_->OnChange = [this](TGraphic*) { glyphChanged(); };
    SetBounds(Left(), Top(), 20, 20);
}

TVexoButton::~TVexoButton() {
    if (action_) action_->Unlink(this);
}

void TVexoButton::setText(const std::string& text) {
    SetText(text);
    Invalidate();
}

void TVexoButton::setGlyph(const TBitmap* bitmap) {
    if (bitmap)
        glyph_->Assign(*bitmap);
    else
        glyph_->Assign(TBitmap());
    glyphChanged();
}

void TVexoButton::setGlyphCount(int count) {
    if (count < 1) return;
    glyphCount_ = count;
    glyphChanged();
}

void TVexoButton::glyphChanged() {
    normal_->Assign(TBitmap());
    disabled_->Assign(TBitmap());
    glyphsDirty_ = true;
    Invalidate();
}

void TVexoButton::setAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void TVexoButton::setMode(TVexoButtonMode mode) {
    mode_ = mode;
    Invalidate();
}

void TVexoButton::setWrapText(bool wrap) {
    wrapText_ = wrap;
    Invalidate();
}

void TVexoButton::setTextStyles(TFontStyles styles) {
    textStyles_ = styles;
    Invalidate();
}

TColor TVexoButton::getColors(int index) const {
    return index >= 0 && index < ColorCount ? colors_[index] : clNone;
}

void TVexoButton::setColors(int index, TColor color) {
    if (index < 0 || index >= ColorCount) return;
    colors_[index] = color;
    Invalidate();
}

void TVexoButton::buildWorkingBmps() {
    if (!glyphsDirty_) return;
    // Before the flag clears: making the strip transparent reports a change of the strip.
    glyph_->SetTransparent(true);
    glyphsDirty_ = false;
    const int width = glyph_->Width() / glyphCount_;
    cutImage(*glyph_, *normal_, 0, width);
    if (glyphCount_ >= 2) cutImage(*glyph_, *disabled_, 1, width);
}

void TVexoButton::ApplyStdImage(TVexoButtonStdImages image) {
    const std::string data = StdImageData(image);
    const std::string name = Name();
    if (data.empty()) {
        setGlyph(nullptr);
    } else {
        try {
            ReadComponentText("object XXXX : TVexoButton\r\nGlyph.Data = {" + data + "}\r\nend\r\n", this,
                              false);
        } catch (const EFilerError&) {
            Application->MessageBox("Streaming error.", "");
        }
    }
    setGlyphCount(2);
    SetName(name);
}

void TVexoButton::SetAction(TAction* action) {
    if (action == action_) return;
    if (action_) action_->Unlink(this);
    SetReference(action_, action);
    if (!action_) return;
    action_->Link(this, [this](TAction*) { followAction(false); });
    // A button read from a form keeps the caption and state stored with it.
    followAction(ComponentState().Contains(csLoading));
}

void TVexoButton::followAction(bool keepOwn) {
    if (!keepOwn || Text().empty()) setText(action_->Caption());
    if (!keepOwn || Enabled()) SetEnabled(action_->Enabled());
}

void TVexoButton::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    DropReference(action_, component, operation);
}

void TVexoButton::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
        hover_ = true;
        Repaint();
        break;
    case CM_MOUSELEAVE:
        hover_ = false;
        pressed_ = false;
        Invalidate();
        break;
    case WM_LBUTTONDOWN:
        if (Enabled() && hover_) {
            pressed_ = true;
            Invalidate();
        }
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDBLCLK:
        break;
    case WM_LBUTTONUP:
        mouseUp();
        break;
    default:
        TGraphicControl::Dispatch(message);
        return;
    }
    message.Result = 0;
}

void TVexoButton::mouseUp() {
    if (!Enabled() || !pressed_) return;
    if (hover_) {
        try {
            if (OnClick)
                OnClick(this);
            else if (action_)
                action_->Execute();
        } catch (const char* text) {
            Application->MessageBox(text, "Tilulo");
        }
    }
    pressed_ = false;
    hover_ = ClientRect().Contains(ScreenToClient(Mouse->CursorPos()));
    Repaint();
}

void TVexoButton::Paint() {
    TControlCanvas* canvas = Canvas();
    const int W = Width(), H = Height(), m = std::min(W, H);
    canvas->SetFont(*Font());
    canvas->Font()->SetColor(colors_[2]);
    canvas->Font()->SetStyle(textStyles_);
    canvas->Pen()->SetColor(colors_[0]);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(Rect(0, 0, W, H));
    if (hover_ && Enabled()) {
        canvas->Brush()->SetColor(colors_[1]);
        if (colors_[4] != clNone) canvas->Font()->SetColor(colors_[4]);
    }

    // The frame.
    bool draw = true, down = false;
    if (!ComponentState().Contains(csDesigning)) {
        down = pressed_ && hover_ && Enabled();
        draw = Enabled() && !down;
    }
    if (mode_ == vbmFlat && draw && !pressed_ && !hover_) {
        if (colors_[3] == clNone)
            draw = false;
        else
            canvas->Pen()->SetColor(colors_[3]);
    }
    TRect all = Rect(0, 0, W, H);
    if (draw || down) {
        switch (mode_) {
        case vbmFlat:
            canvas->Rectangle(all);
            break;
        case vbmSoft:
            DrawEdge(canvas->Handle(), &all, draw ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
            break;
        case vbmRound:
            canvas->Pen()->SetColor(clGray);
            canvas->RoundRect(1, 1, W, H, m / 2, m / 2);
            canvas->Pen()->SetColor(clBlue);
            if (draw) {
                canvas->RoundRect(0, 0, W - 1, H - 1, m / 2, m / 2);
            } else {
                canvas->Brush()->SetStyle(bsClear);
                canvas->RoundRect(0, 0, W, H, m / 2, m / 2);
            }
            break;
        }
    }

    // The content: the glyph, then the caption after it.
    const int left = mode_ == vbmRound ? 6 : 2;
    const int glyphWidth = glyph_->Empty() ? 0 : glyph_->Width() / glyphCount_;
    const std::string& text = Text();
    int x = left, y = 2;
    if (text.empty()) {
        x = std::max((W - glyphWidth) / 2, left);
        y = std::max((H - glyph_->Height()) / 2, 2);
    } else if (!wrapText_) {
        const int h = std::max(glyph_->Empty() ? 0 : glyph_->Height(), canvas->TextHeight(text));
        y = (H - h) / 2;
    }
    if (pressed_) ++x;
    if (!glyph_->Empty()) {
        buildWorkingBmps();
        TBitmap* image = Enabled() ? normal_.get() : disabled_.get();
        if (!image->Empty()) canvas->Draw(x, y, image);
        x += glyphWidth + 2;
    }
    if (text.empty()) return;
    static constexpr unsigned horizontal[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    const unsigned flags = horizontal[alignment_ <= taCenter ? alignment_ : taLeftJustify] | DT_NOPREFIX |
                           (wrapText_ ? DT_WORDBREAK : 0u);
    canvas->Brush()->SetStyle(bsClear);
    auto drawText = [&](int dx, TColor color) {
        canvas->Font()->SetColor(color);
        TRect r = Rect(x + dx, y + dx, W - 2, H - 2);
        DrawTextEx(canvas->Handle(), text, &r, flags);
    };
    if (Enabled()) {
        drawText(0, canvas->Font()->Color());
    } else {
        drawText(1, clWhite);
        drawText(0, clGray);
    }
}

} // namespace vexo

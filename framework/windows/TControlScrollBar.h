#pragma once
// One scroll bar of a scroll box: the extent it scrolls over (Range), where it is (Position), the
// step of its arrows (Increment) and whether dragging the thumb scrolls at once (Tracking). A real
// Qt scroll bar shows it; its actions reach the box's window procedure as WM_HSCROLL / WM_VSCROLL
// with the platform's SB_ codes, and the box's default handling moves Position.
#include "framework/core/Types.h"
#include <QPointer>

class QScrollBar;

namespace vexo {
class TScrollBox;

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollBarStyle { ssRegular, ssFlat, ssHotTrack };

class TControlScrollBar {
public:
    TControlScrollBar(TScrollBox* box, TScrollBarKind kind);
    TControlScrollBar(const TControlScrollBar&) = delete;
    TControlScrollBar& operator=(const TControlScrollBar&) = delete;

    TScrollBarKind Kind() const { return kind_; }
    int Range() const { return range_; }
    void SetRange(int range);
    // Clamped to 0 .. Range - the box's client extent, as the framework clamps it.
    int Position() const { return position_; }
    void SetPosition(int position);
    // The step of the arrows, 1 to 32767 (the framework keeps it in 16 bits).
    int Increment() const { return increment_; }
    void SetIncrement(int increment);
    bool Tracking() const { return tracking_; }
    void SetTracking(bool tracking) { tracking_ = tracking; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    TScrollBarStyle Style() const { return style_; }
    void SetStyle(TScrollBarStyle style) { style_ = style; }
    // Shown: Visible and the range exceeds the client extent.
    bool IsScrollBarVisible() const;
    // The width of a vertical bar or the height of a horizontal one.
    int Size() const;

    // The box's default handling of a scroll message with this code and thumb position.
    void ScrollMessage(int code, int thumbPosition);
    // The thumb position a SB_THUMBTRACK or SB_THUMBPOSITION message stands for: the message has
    // only 16 bits for it, so while the bar's own thumb action is being handled this is the
    // bar's whole tracking position, as the platform keeps it for GetScrollInfo; a message sent
    // by code means its 16 bits.
    int ThumbPosition(int messageThumb) const;

private:
    friend class TScrollBox;
    int maxPosition() const;
    void sync(); // pushes range, page and position to the Qt bar
    // The same, once the events queued now have been handled: a grid filled row by row changes the
    // range a million times in one go, and the bar only needs to show the last of them.
    void syncLater();
    int clientExtent() const;

    TScrollBox* box_;
    TScrollBarKind kind_;
    int range_ = 0;
    int position_ = 0;
    int increment_ = 8;
    bool tracking_ = false;
    bool visible_ = true;
    TScrollBarStyle style_ = ssRegular;
    QPointer<QScrollBar> bar_;
    // What the Qt bar was last given: a grid filled row by row changes the range a million times,
    // and only the values that moved are worth a call into Qt.
    struct Pushed {
        int max = -1, page = -1, step = -1, position = -1;
        const QScrollBar* bar = nullptr;
    } pushed_;
    bool syncQueued_ = false;
    int trackPos_ = -1;     // the thumb action being handled, in full; -1 outside one
    mutable int size_ = -1; // the Qt bar's thickness, asked once per bar: the style does not change it
};

} // namespace vexo

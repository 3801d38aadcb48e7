#pragma once
// A pop-up window closes when the user presses a mouse button anywhere else, and that press must
// not act on what it lands on. While a window is named here, a button press (or double click)
// anywhere in the application outside the window's bounds is not delivered, nor is the release
// that ends it; the top-level window under the press becomes the active one instead (none when the
// press is on no window of the application), so the named window loses its activation and can
// close on that. One window at a time: naming another replaces the first.
namespace vexo {

class TWinControl;

void SwallowPressesOutside(TWinControl* window);
// Ends it when window is the one named; a press already swallowed still has its release swallowed.
void StopSwallowingPressesOutside(TWinControl* window);
// The window named now, or nullptr.
TWinControl* SwallowingPressesOutside();

} // namespace vexo

#pragma once

class QWidget;

// The frame a window manager draws around the program's secondary windows and
// message boxes: a title that is not cut short and no maximise button, since
// their contents are laid out for one size.
namespace WindowFrame {

// Pixels a frame needs beside the title text: icon, buttons and margins.
inline constexpr int TitleChrome = 120;

// Width the window needs for its whole title to show in the frame.
int titleWidth(const QWidget* window);

// Drops the maximise button (keeping the window's kind and other hints) and
// widens the window, or a message box's layout, to its title's width, never
// narrower than its layout needs. Call it
// before the window is first shown: changing the flags of a shown window hides it.
void fitTitle(QWidget* window);
// fitTitle for a dialog, which also loses its minimise button: it belongs to
// the main window and goes away with its answer.
void fitDialog(QWidget* dialog);

} // namespace WindowFrame

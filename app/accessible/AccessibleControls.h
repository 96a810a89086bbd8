#pragma once

class TfrmMain;

// Screen readers' view of the window's skinned controls, through Qt's
// accessibility (AT-SPI on the desktop).
namespace AccessibleControls {

// Installs the factory that gives each skinned control its interface; once
// per process, before the window is made.
void install();

// Names the window's plain controls as a reader should speak them.
void nameControls(TfrmMain& window);

// Tells readers of the lesson or the button the keyboard's cursor stands on,
// as the arrows move it and as the strip or the bar takes the focus, so that
// the reader speaks the item, not only the control that holds it.
void followKeyboardCursors(TfrmMain& window);

}  // namespace AccessibleControls

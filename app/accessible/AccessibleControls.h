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

}  // namespace AccessibleControls

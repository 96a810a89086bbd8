#pragma once

// Whether a window manager runs on the program's X display: one that follows
// the desktop's conventions names its own window on the root window. False
// elsewhere (Wayland, no display). UI thread only.
bool windowManagerRuns();

#pragma once

// Keeps a start where all is well quiet on the terminal. Qt's libraries tell
// how they set themselves up and what they worked around (the HTML engine's
// graphics set-up, a sound server that is not there); their information and
// warnings stay off, their critical and fatal errors stay on, and so do the
// program's own messages, which have a category of their own. Rules the user
// gives in QT_LOGGING_RULES or QT_LOGGING_CONF come after these and win. The
// sound libraries' complaints about a missing sound server or card stay off
// too (PIPEWIRE_DEBUG, when the user sets it, still applies).
// Call first thing in main, before the libraries start.
void quietLibraryDiagnostics();

#include "LibraryDiagnostics.h"

#include <alsa/asoundlib.h>

#include <QLoggingCategory>
#include <QtGlobal>

namespace {

// ALSA tells every step of a failed look-up for a sound card; the player
// falls back on silence by itself, so nobody needs those lines.
void ignoreSoundLibraryError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void quietLibraryDiagnostics()
{
    // "default" holds what the libraries print without a category of their own.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.*.info=false\n"
                                                    "qt.*.warning=false\n"
                                                    "default.info=false\n"
                                                    "default.warning=false"));
    // The sound server's client library warns when no server is there.
    if (!qEnvironmentVariableIsSet("PIPEWIRE_DEBUG"))
        qputenv("PIPEWIRE_DEBUG", "0");
    snd_lib_error_set_handler(ignoreSoundLibraryError);
}

#include "EngineFootprint.h"

#include <QByteArrayList>

namespace {

QByteArrayList chromiumFlags()
{
    return qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").split(' ');
}

}  // namespace

void addChromiumFlag(const QByteArray& flag)
{
    if (!chromiumFlags().contains(flag))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + ' ' + flag).trimmed());
}

void keepEngineSmall()
{
    addChromiumFlag("--renderer-process-limit=1");
    if (chromiumFlags().contains("--no-sandbox") || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        addChromiumFlag("--no-zygote");
}

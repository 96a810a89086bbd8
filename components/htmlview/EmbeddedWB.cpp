#include "EmbeddedWB.h"

#include <QVBoxLayout>

#include "Codepage1252.h"
#include "ErrorReporting.h"

TEmbeddedWB::TEmbeddedWB(QWidget* parent, std::unique_ptr<HtmlEngine> engine)
    : QFrame(parent), engine_(std::move(engine))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(engine_->view());
    setFocusProxy(engine_->view());
    engine_->setContextMenuHandler([this](const QPoint& globalPos) { return contextMenuHandled(globalPos); });
    applyOptions();
}

void TEmbeddedWB::Navigate(const QString& wideAddress)
{
    engine_->navigate(wideAddress);
}

void TEmbeddedWB::Navigate(const QByteArray& address8bit)
{
    engine_->navigate(Codepage1252::decode(address8bit));
}

void TEmbeddedWB::setDownloadOptions(TDownloadOptions options)
{
    downloadOptions_ = options;
    applyOptions();
}

void TEmbeddedWB::setUserInterfaceOptions(TUserInterfaceOptions options)
{
    userInterfaceOptions_ = options;
    applyOptions();
}

// The engine has no help menu to hide, so DISABLE_HELP_MENU needs nothing; the
// three-dimensional border is this frame's own.
void TEmbeddedWB::applyOptions()
{
    HtmlSettings settings;
    settings.scrollBars = !userInterfaceOptions_.testFlag(SCROLL_NO);
    settings.loadImages = downloadOptions_.testFlag(DLCTL_DLIMAGES);
    settings.playVideos = downloadOptions_.testFlag(DLCTL_VIDEOS);
    settings.playBackgroundSounds = downloadOptions_.testFlag(DLCTL_BGSOUNDS);
    engine_->applySettings(settings);
    if (userInterfaceOptions_.testFlag(NO3DBORDER))
        setFrameStyle(QFrame::NoFrame);
    else
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

// Without a handler the engine shows its own menu. A handler that fails is
// reported and the engine's menu stays away.
bool TEmbeddedWB::contextMenuHandled(const QPoint& globalPos)
{
    if (!OnShowContextMenu)
        return false;
    int result = Handled;
    runGuarded([&] { result = OnShowContextMenu(globalPos); });
    return result == Handled;
}

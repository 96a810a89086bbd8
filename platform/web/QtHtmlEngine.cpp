#include "QtHtmlEngine.h"

#include <unistd.h>

#include <QMenu>
#include <QQuickWindow>
#include <QWebEngineDownloadRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "WebAddress.h"

QtHtmlEngine::QtHtmlEngine(Shell& shell) : view_(std::make_unique<QWebEngineView>()), shell_(shell)
{
    // The host decides about the menu first; the engine's own menu shows only
    // when no handler took the request.
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_.get(), &QWidget::customContextMenuRequested, this, &QtHtmlEngine::showContextMenu);
    connect(view_->page(), &QWebEnginePage::newWindowRequested, this, &QtHtmlEngine::openNewWindow);
    connect(view_->page()->profile(), &QWebEngineProfile::downloadRequested, this, &QtHtmlEngine::openDownload);
}

QtHtmlEngine::~QtHtmlEngine() = default;

void QtHtmlEngine::navigate(const QString& address)
{
    view_->load(webAddressToUrl(address));
}

void QtHtmlEngine::applySettings(const HtmlSettings& settings)
{
    QWebEngineSettings* s = view_->settings();
    s->setAttribute(QWebEngineSettings::ShowScrollBars, settings.scrollBars);
    s->setAttribute(QWebEngineSettings::AutoLoadImages, settings.loadImages);
    // Pages that bring video or background sound play it as they load.
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture,
                    !(settings.playVideos || settings.playBackgroundSounds));
}

QWidget* QtHtmlEngine::view()
{
    return view_.get();
}

void QtHtmlEngine::setContextMenuHandler(ContextMenuHandler handler)
{
    contextMenu_ = std::move(handler);
}

void QtHtmlEngine::showContextMenu(const QPoint& pos)
{
    const QPoint global = view_->mapToGlobal(pos);
    if (contextMenu_ && contextMenu_(global))
        return;
    QMenu* menu = view_->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(global);
}

// Left unanswered, the request opens no window in the program.
void QtHtmlEngine::openNewWindow(QWebEngineNewWindowRequest& request)
{
    openInBrowser(request.requestedUrl());
}

// Every view shares the profile, so each takes only its own page's downloads.
void QtHtmlEngine::openDownload(QWebEngineDownloadRequest* download)
{
    if (download->page() != view_->page())
        return;
    openInBrowser(download->url());
    download->cancel();
}

// A script's blank window has nothing to show in a browser.
void QtHtmlEngine::openInBrowser(const QUrl& url)
{
    if (!url.isEmpty() && url.scheme() != QStringLiteral("about"))
        shell_.open(url.toString(), view_->window());
}

void QtHtmlEngine::prepareWebEngine(bool softwareRendering)
{
    if (softwareRendering)
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    if (geteuid() != 0)
        return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--no-sandbox"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
}

#include "QtHtmlEngine.h"

#include <unistd.h>

#include <QLoggingCategory>
#include <QMenu>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QWebEngineDownloadRequest>
#include <QWebEngineNavigationRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "CourseSchemeHandler.h"
#include "EngineFootprint.h"
#include "LearnerGesture.h"
#include "QuietConsolePage.h"
#include "WebAddress.h"

namespace {

// What the engine shows itself; an address of any other kind belongs to
// another program.
bool engineShows(const QUrl& url)
{
    static const QStringList shown = {"http", "https", "file", "data", "about", "blob", "qrc", CourseFolder::kScheme};
    return shown.contains(url.scheme());
}

QLoggingCategory::CategoryFilter userRules = nullptr;

// The engine reads the format of OpenGL's shared context whenever its set-up
// report is asked for, and there is no such context when the program runs
// without OpenGL: that report stays off then, whatever the user's rules say,
// and everything else follows them.
void withoutSetUpReport(QLoggingCategory* category)
{
    if (userRules)
        userRules(category);
    if (qstrcmp(category->categoryName(), "qt.webenginecontext") == 0) {
        category->setEnabled(QtDebugMsg, false);
        category->setEnabled(QtInfoMsg, false);
    }
}

}  // namespace

QtHtmlEngine::QtHtmlEngine(Shell& shell, const QString& courseFolder)
    : view_(std::make_unique<QWebEngineView>()),
      course_(courseFolder),
      learnerGesture_(new LearnerGesture(view_.get())),
      shell_(shell)
{
    view_->setPage(new QuietConsolePage(view_.get()));
    // Course pages come through the course's own addresses, so no page is
    // local to the engine and none reaches a file: address.
    CourseSchemeHandler::serve(view_->page()->profile(), courseFolder);
    // Scripts open no window without a click, and links to other programs
    // count only when clicked; even then the engine hands nothing to the
    // desktop itself: every address leaves through the shell.
    QWebEngineSettings* settings = view_->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
    // The host decides about the menu first; the engine's own menu shows only
    // when no handler took the request.
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view_.get(), &QWidget::customContextMenuRequested, this, &QtHtmlEngine::showContextMenu);
    connect(view_->page(), &QWebEnginePage::newWindowRequested, this, &QtHtmlEngine::openNewWindow);
    connect(view_->page()->profile(), &QWebEngineProfile::downloadRequested, this, &QtHtmlEngine::openDownload);
    connect(view_->page(), &QWebEnginePage::navigationRequested, this, &QtHtmlEngine::leaveForOtherProgram);
    connect(view_->page(), &QWebEnginePage::linkHovered, learnerGesture_,
            [this](const QString& link) { learnerGesture_->pointAt(QUrl(link)); });
}

QtHtmlEngine::~QtHtmlEngine() = default;

void QtHtmlEngine::navigate(const QString& address)
{
    QUrl url = webAddressToUrl(address);
    if (url.isLocalFile()) {
        url = course_.addressOf(url.toLocalFile());
        if (url.isEmpty())
            raiseInvalidAddress(address);
    }
    view_->load(url);
}

QString QtHtmlEngine::currentAddress() const
{
    return view_->url().toString();
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

// Left unanswered, the request opens no window in the program. The engine
// tells whether a click came before it, but not whether the page's script
// asked in answer: only the link clicked counts.
void QtHtmlEngine::openNewWindow(QWebEngineNewWindowRequest& request)
{
    if (request.isUserInitiated() && learnerGesture_->takeFor(request.requestedUrl()))
        openOnDesktop(request.requestedUrl());
}

// Nothing is saved by the program. Every view shares the profile, so each
// takes only its own page's downloads; the engine gives no word on who asked
// for one, so it goes on only as the link the learner clicked.
void QtHtmlEngine::openDownload(QWebEngineDownloadRequest* download)
{
    if (download->page() != view_->page())
        return;
    download->cancel();
    if (learnerGesture_->takeFor(download->url()))
        openOnDesktop(download->url());
}

// A link to another program's kind of address (mail, a network share, a
// program's own scheme) never loads in the view. The engine asks about one
// after a click, and would then hand it to the desktop itself; it goes to the
// shell instead, like a new window, when it is the link clicked.
void QtHtmlEngine::leaveForOtherProgram(QWebEngineNavigationRequest& request)
{
    if (engineShows(request.url()))
        return;
    request.reject();
    if (learnerGesture_->takeFor(request.url()))
        openOnDesktop(request.url());
}

// A script's blank window has nothing to show in a browser. The shell's
// error box, for an address it refuses, waits until the engine's call has
// returned, so that its event loop never runs inside the engine.
void QtHtmlEngine::openOnDesktop(const QUrl& url)
{
    if (url.isEmpty() || url.scheme() == QStringLiteral("about"))
        return;
    QMetaObject::invokeMethod(
        this, [this, address = url.toString()] { shell_.open(address, view_->window()); }, Qt::QueuedConnection);
}

// Rendering in software, Chromium's graphics processor thread would only
// emulate one on the processor; leaving it out makes the engine's first start
// shorter and the pages are drawn the same.
void QtHtmlEngine::prepareWebEngine(bool softwareRendering)
{
    if (softwareRendering) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        addChromiumFlag("--disable-gpu");
    }
    if (geteuid() == 0)
        addChromiumFlag("--no-sandbox");
    if (!QOpenGLContext::globalShareContext())
        userRules = QLoggingCategory::installFilter(withoutSetUpReport);
    CourseSchemeHandler::registerScheme();
}

#include "LazyHtmlEngine.h"

#include <QEvent>
#include <QVBoxLayout>
#include <QWidget>

#include "ErrorReporting.h"
#include "WebAddress.h"

LazyHtmlEngine::LazyHtmlEngine(Starter starter)
    : starter_(std::move(starter)), placeholder_(std::make_unique<QWidget>()), unseen_(this)
{
    auto* layout = new QVBoxLayout(placeholder_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    // Takes the focus in the Tab order like the engine's view will.
    placeholder_->setFocusPolicy(Qt::StrongFocus);
    placeholder_->installEventFilter(this);
    unseen_.setSingleShot(true);
    unseen_.setInterval(kReleaseAfterUnseenMs);
    connect(&unseen_, &QTimer::timeout, this, [this] { release(); });
}

LazyHtmlEngine::~LazyHtmlEngine() = default;

void LazyHtmlEngine::navigate(const QString& address)
{
    webAddressToUrl(address);
    if (engine_) {
        engine_->navigate(address);
        return;
    }
    pendingAddress_ = address;
    if (placeholder_->isVisible() && canStart())
        start();
}

QString LazyHtmlEngine::currentAddress() const
{
    return engine_ ? engine_->currentAddress() : pendingAddress_;
}

void LazyHtmlEngine::applySettings(const HtmlSettings& settings)
{
    settings_ = settings;
    if (engine_)
        engine_->applySettings(settings);
}

QWidget* LazyHtmlEngine::view()
{
    return placeholder_.get();
}

void LazyHtmlEngine::setContextMenuHandler(ContextMenuHandler handler)
{
    contextMenu_ = std::move(handler);
    if (engine_)
        engine_->setContextMenuHandler(contextMenu_);
}

void LazyHtmlEngine::prepare()
{
    if (canStart())
        start();
}

// The view comes on screen: the page it was told to show loads now, unless
// it is still there. A view with nothing to show stays a plain widget. The
// view goes out of sight, with its section or the window: the wait for its
// release begins.
bool LazyHtmlEngine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != placeholder_.get())
        return false;
    if (event->type() == QEvent::Show) {
        unseen_.stop();
        if (canStart() && !pendingAddress_.isEmpty())
            runGuarded([this] { start(); });
    } else if (event->type() == QEvent::Hide && engine_) {
        unseen_.start();
    }
    return false;
}

// A starter that fails, by error or by giving no engine, is not asked again.
void LazyHtmlEngine::start()
{
    startFailed_ = true;
    engine_ = starter_();
    if (!engine_)
        return;
    startFailed_ = false;
    engine_->applySettings(settings_);
    engine_->setContextMenuHandler(contextMenu_);
    QWidget* view = engine_->view();
    placeholder_->layout()->addWidget(view);
    placeholder_->setFocusProxy(view);
    view->show();
    if (!pendingAddress_.isEmpty())
        engine_->navigate(std::exchange(pendingAddress_, QString()));
    if (!placeholder_->isVisible())
        unseen_.start();
}

void LazyHtmlEngine::release()
{
    if (!engine_ || placeholder_->isVisible())
        return;
    pendingAddress_ = engine_->currentAddress();
    placeholder_->setFocusProxy(nullptr);
    engine_.reset();
}

#include "LazyHtmlEngine.h"

#include <QEvent>
#include <QVBoxLayout>
#include <QWidget>

#include "ErrorReporting.h"
#include "WebAddress.h"

LazyHtmlEngine::LazyHtmlEngine(Starter starter)
    : starter_(std::move(starter)), placeholder_(std::make_unique<QWidget>())
{
    auto* layout = new QVBoxLayout(placeholder_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    // Takes the focus in the Tab order like the engine's view will.
    placeholder_->setFocusPolicy(Qt::StrongFocus);
    placeholder_->installEventFilter(this);
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
    if (placeholder_->isVisible() && !startTried_)
        start();
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
    if (!startTried_)
        start();
}

// The view comes on screen: the page it was told to show loads now. A view
// with nothing to show stays a plain widget.
bool LazyHtmlEngine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == placeholder_.get() && event->type() == QEvent::Show && !startTried_ && !pendingAddress_.isEmpty())
        runGuarded([this] { start(); });
    return false;
}

void LazyHtmlEngine::start()
{
    startTried_ = true;
    engine_ = starter_();
    if (!engine_)
        return;
    engine_->applySettings(settings_);
    engine_->setContextMenuHandler(contextMenu_);
    QWidget* view = engine_->view();
    placeholder_->layout()->addWidget(view);
    placeholder_->setFocusProxy(view);
    view->show();
    if (!pendingAddress_.isEmpty())
        engine_->navigate(std::exchange(pendingAddress_, QString()));
}

#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QString>

#include "HtmlEngine.h"

// An HTML view whose engine starts only when it must show a page: the first
// time the view is on screen with an address to show, or when asked to get
// ready ahead of need. Until then it is a plain widget that keeps the last
// address it was given, the settings and the menu handler, and hands them
// all to the engine when it starts. Once started the engine stays.
// UI thread only.
class LazyHtmlEngine : public QObject, public HtmlEngine {
public:
    // Gives the engine, or null when there is none to be had: the view then
    // stays blank for good.
    using Starter = std::function<std::unique_ptr<HtmlEngine>()>;

    explicit LazyHtmlEngine(Starter starter);
    ~LazyHtmlEngine() override;

    // Raises AppError at once for an address no engine could load, started
    // or not.
    void navigate(const QString& address) override;
    void applySettings(const HtmlSettings& settings) override;
    QWidget* view() override;
    void setContextMenuHandler(ContextMenuHandler handler) override;
    void prepare() override;

    // The engine behind the view, null until it has started.
    HtmlEngine* startedEngine() const { return engine_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void start();

    Starter starter_;
    std::unique_ptr<QWidget> placeholder_;
    std::unique_ptr<HtmlEngine> engine_;
    QString pendingAddress_;
    HtmlSettings settings_;
    ContextMenuHandler contextMenu_;
    bool startTried_ = false;
};

#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QString>
#include <QTimer>

#include "HtmlEngine.h"

// An HTML view whose engine runs only while its page may be seen. The engine
// starts the first time the view is on screen with an address to show, or
// when asked to get ready ahead of need; it stops once the view has been out
// of sight for kReleaseAfterUnseenMs, which gives back the page and, with the
// last page, Chromium's process that drew it. While stopped the view is a
// plain widget that keeps the address to show (the page shown last, wherever
// links had led), the settings and the menu handler, and hands them all to
// the engine when it starts again. UI thread only.
class LazyHtmlEngine : public QObject, public HtmlEngine {
public:
    // Gives the engine, or null when there is none to be had: the view then
    // stays blank for good.
    using Starter = std::function<std::unique_ptr<HtmlEngine>()>;

    // A learner back from the other sections within this finds the page as
    // it was; a page out of sight for longer is loaded again when it shows.
    static constexpr int kReleaseAfterUnseenMs = 60000;

    explicit LazyHtmlEngine(Starter starter);
    ~LazyHtmlEngine() override;

    // Raises AppError at once for an address no engine could load, started
    // or not.
    void navigate(const QString& address) override;
    QString currentAddress() const override;
    void applySettings(const HtmlSettings& settings) override;
    QWidget* view() override;
    void setContextMenuHandler(ContextMenuHandler handler) override;
    void prepare() override;

    // The engine behind the view, null while it is not running.
    HtmlEngine* startedEngine() const { return engine_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool canStart() const { return !engine_ && !startFailed_; }
    void start();
    void release();

    Starter starter_;
    std::unique_ptr<QWidget> placeholder_;
    std::unique_ptr<HtmlEngine> engine_;
    // Runs while the engine does and the view is out of sight.
    QTimer unseen_;
    QString pendingAddress_;
    HtmlSettings settings_;
    ContextMenuHandler contextMenu_;
    bool startFailed_ = false;
};

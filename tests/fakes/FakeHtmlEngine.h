#pragma once

#include <memory>

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include "AppError.h"
#include "HtmlEngine.h"
#include "WebAddress.h"

// An HTML engine for tests: records every address navigated to (and the URL the
// real engine would load), the settings last applied, and plays the user's
// context-menu request. Bad addresses raise AppError like the real engine.
class FakeHtmlEngine : public HtmlEngine {
public:
    QStringList addresses;
    QList<QUrl> urls;
    HtmlSettings settings;
    int settingsApplied = 0;
    int defaultMenusShown = 0;
    int prepared = 0;
    QString shown;

    // When not empty, navigate raises AppError with this text.
    QString navigateFailure;

    void navigate(const QString& address) override
    {
        if (!navigateFailure.isEmpty())
            throw AppError(navigateFailure);
        urls << webAddressToUrl(address);
        addresses << address;
        shown = address;
    }
    // The page shown: the last address navigated to, or where a link led.
    QString currentAddress() const override { return shown; }
    void applySettings(const HtmlSettings& applied) override
    {
        settings = applied;
        ++settingsApplied;
    }
    QWidget* view() override { return view_.get(); }
    void setContextMenuHandler(ContextMenuHandler handler) override { contextMenu_ = std::move(handler); }
    void prepare() override { ++prepared; }

    // The user asks for the context menu; returns true when the engine's own
    // menu would show.
    bool simulateContextMenu(const QPoint& globalPos = QPoint(5, 5))
    {
        if (contextMenu_ && contextMenu_(globalPos))
            return false;
        ++defaultMenusShown;
        return true;
    }

    QString lastAddress() const { return addresses.isEmpty() ? QString() : addresses.last(); }

private:
    std::unique_ptr<QWidget> view_ = [] {
        // Like the real engine's page, it takes the focus.
        auto view = std::make_unique<QWidget>();
        view->setFocusPolicy(Qt::StrongFocus);
        return view;
    }();
    ContextMenuHandler contextMenu_;
};

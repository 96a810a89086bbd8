#pragma once

#include <functional>
#include <memory>

#include <QByteArray>
#include <QFlags>
#include <QFrame>
#include <QString>

#include "HtmlEngine.h"

// An HTML view: hosts one HTML engine, tells it how to load and look, and
// decides about its context menu.
class TEmbeddedWB : public QFrame {
    Q_OBJECT

public:
    // What the view downloads, with the values the host reports for them.
    enum DownloadOption : unsigned {
        DLCTL_DLIMAGES = 0x10,
        DLCTL_VIDEOS = 0x20,
        DLCTL_BGSOUNDS = 0x40,
    };
    Q_DECLARE_FLAGS(TDownloadOptions, DownloadOption)

    // How the view looks, with the values the host reports for them.
    enum UserInterfaceOption : unsigned {
        DISABLE_HELP_MENU = 0x2,
        NO3DBORDER = 0x4,
        SCROLL_NO = 0x8,
    };
    Q_DECLARE_FLAGS(TUserInterfaceOptions, UserInterfaceOption)

    // The handler's results: Handled means the host showed or refused the menu
    // itself; Default lets the engine show its own.
    static constexpr int Handled = 0;
    static constexpr int Default = 1;

    TEmbeddedWB(QWidget* parent, std::unique_ptr<HtmlEngine> engine);

    // Each raises AppError when the address cannot be loaded at all. The 8-bit
    // form takes text in the system code page (Windows-1252).
    void Navigate(const QString& wideAddress);
    void Navigate(const QByteArray& address8bit);

    TDownloadOptions DownloadOptions() const { return downloadOptions_; }
    void setDownloadOptions(TDownloadOptions options);

    TUserInterfaceOptions UserInterfaceOptions() const { return userInterfaceOptions_; }
    void setUserInterfaceOptions(TUserInterfaceOptions options);

    // Asked with the global position when the user requests the context menu;
    // returning Handled (0) keeps the engine's menu from showing.
    std::function<int(const QPoint& globalPos)> OnShowContextMenu;

    // Gets the engine ready before the view first shows a page.
    void prepareEngine() { engine_->prepare(); }

    HtmlEngine& engine() const { return *engine_; }

private:
    void applyOptions();
    bool contextMenuHandled(const QPoint& globalPos);

    std::unique_ptr<HtmlEngine> engine_;
    TDownloadOptions downloadOptions_ = {DLCTL_DLIMAGES, DLCTL_VIDEOS, DLCTL_BGSOUNDS};
    TUserInterfaceOptions userInterfaceOptions_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TEmbeddedWB::TDownloadOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(TEmbeddedWB::TUserInterfaceOptions)

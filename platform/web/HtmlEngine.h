#pragma once

#include <functional>

#include <QPoint>
#include <QString>

class QWidget;

// What a host asks of the engine's look and loading.
struct HtmlSettings {
    bool scrollBars = true;
    bool loadImages = true;
    bool playVideos = true;
    bool playBackgroundSounds = true;
};

// The engine that shows one HTML view. UI thread only.
class HtmlEngine {
public:
    // Asked when the user requests the context menu at a global position;
    // returns true when the host has handled it, so the engine shows none.
    using ContextMenuHandler = std::function<bool(const QPoint& globalPos)>;

    virtual ~HtmlEngine() = default;

    // Starts loading an address: a full native path of a local file or a URL.
    // Raises AppError when the address cannot be loaded at all.
    virtual void navigate(const QString& address) = 0;

    // The address of the page shown now, which links followed inside the
    // view may have changed; empty before the first page.
    virtual QString currentAddress() const = 0;

    virtual void applySettings(const HtmlSettings& settings) = 0;

    // The widget that shows the page; the engine keeps ownership.
    virtual QWidget* view() = 0;

    virtual void setContextMenuHandler(ContextMenuHandler handler) = 0;

    // Gets the engine ready ahead of need, so the first page shows sooner.
    // An engine that is always ready has nothing to do.
    virtual void prepare() {}
};

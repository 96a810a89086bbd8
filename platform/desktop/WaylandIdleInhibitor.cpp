#include "WaylandIdleInhibitor.h"

#include <QGuiApplication>
#include <QtWaylandClient/QWaylandClientExtensionTemplate>
#include <qpa/qplatformnativeinterface.h>

#include "qwayland-idle-inhibit-unstable-v1.h"

// The compositor's inhibit manager, bound from the globals Qt has already
// received; inactive where the compositor does not offer it.
class WaylandIdleInhibitor::Manager : public QWaylandClientExtensionTemplate<Manager>,
                                      public QtWayland::zwp_idle_inhibit_manager_v1 {
public:
    Manager() : QWaylandClientExtensionTemplate(1) { initialize(); }
    ~Manager() override
    {
        if (isActive())
            destroy();
    }
};

namespace {

wl_surface* surfaceOf(QWindow* window)
{
    if (!window->handle())
        return nullptr;
    return static_cast<wl_surface*>(
        QGuiApplication::platformNativeInterface()->nativeResourceForWindow("surface", window));
}

}  // namespace

WaylandIdleInhibitor::WaylandIdleInhibitor() = default;

WaylandIdleInhibitor::~WaylandIdleInhibitor()
{
    release();
}

void WaylandIdleInhibitor::hold(const QString&)
{
    if (!available())
        return;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->isVisible() && !inhibitors_.contains(window))
            inhibit(window);
    }
}

void WaylandIdleInhibitor::release()
{
    while (!inhibitors_.empty())
        drop(inhibitors_.begin()->first);
}

// Asked once: the extension must not be made outside a Wayland session, where
// it would open a connection of its own.
bool WaylandIdleInhibitor::available()
{
    if (!managerTried_ && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        manager_ = std::make_unique<Manager>();
    managerTried_ = true;
    return manager_ && manager_->isActive();
}

void WaylandIdleInhibitor::inhibit(QWindow* window)
{
    wl_surface* surface = surfaceOf(window);
    if (!surface)
        return;
    inhibitors_[window] = manager_->create_inhibitor(surface);
    // Hidden, the window loses its surface; Qt may give the next one the same address.
    connect(window, &QWindow::visibleChanged, this, [this, window](bool visible) {
        if (!visible)
            drop(window);
    });
    connect(window, &QObject::destroyed, this, [this, window] { drop(window); });
}

void WaylandIdleInhibitor::drop(QWindow* window)
{
    const auto found = inhibitors_.find(window);
    if (found == inhibitors_.end())
        return;
    zwp_idle_inhibitor_v1_destroy(found->second);
    inhibitors_.erase(found);
    disconnect(window, nullptr, this, nullptr);
}

#pragma once

#include <map>
#include <memory>

#include <QObject>
#include <QWindow>

#include "IdleInhibitor.h"

struct zwp_idle_inhibitor_v1;

// The compositor's own idle inhibition (Wayland's idle-inhibit protocol),
// which compositors without a screen-saver service on the bus honour: one
// inhibitor on the surface of each window the program shows, since the
// compositor heeds only those of windows in sight (the full-screen picture
// covers the main window). Holding again takes in windows shown since and
// windows hidden lose theirs at once. Outside Wayland, or where the compositor
// lacks the protocol, nothing happens. The reason is not given to the
// compositor. UI thread only.
class WaylandIdleInhibitor : public QObject, public IdleInhibitor {
    Q_OBJECT

public:
    WaylandIdleInhibitor();
    ~WaylandIdleInhibitor() override;

    void hold(const QString& reason) override;
    void release() override;

private:
    class Manager;

    bool available();
    void inhibit(QWindow* window);
    void drop(QWindow* window);

    std::unique_ptr<Manager> manager_;
    bool managerTried_ = false;
    std::map<QWindow*, zwp_idle_inhibitor_v1*> inhibitors_;
};

#pragma once

#include <functional>

#include <QObject>
#include <QTimer>

class QWidget;

// Calls back when the pointer comes to rest on a widget: it entered and has
// not left for a short while. A pointer that only crosses the widget on its
// way elsewhere calls nothing. Owned by the widget; UI thread only.
class PointerRest : public QObject {
public:
    PointerRest(QWidget* widget, std::function<void()> rested);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTimer rest_;
    std::function<void()> rested_;
};

#pragma once

#include <QLabel>
#include <QTimer>

// The playback speed shown over the picture's top-right corner for a second
// after each change, as "1.5×".
class SpeedBadge : public QLabel {
    Q_OBJECT

public:
    explicit SpeedBadge(QWidget* parent);

    void showSpeed(double factor);

    static constexpr int ShownMs = 1000;

private:
    QTimer hideTimer_;
};

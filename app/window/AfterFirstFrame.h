#pragma once

#include <functional>

#include <QObject>

class QWidget;

// Runs start-up work that the learner would never miss on the way to the
// window's first frame (the desktop session's services, loading ahead for the
// HTML engine) once the window has drawn that frame, or at the latest a
// second after it was made, should it not draw (a window left on another
// desktop). Runs it once. UI thread only.
class AfterFirstFrame : public QObject {
public:
    AfterFirstFrame(QWidget& window, std::function<void()> work);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();

    QWidget& window_;
    std::function<void()> work_;
};

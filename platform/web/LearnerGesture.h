#pragma once

#include <QElapsedTimer>
#include <QObject>

class QWidget;

// Remembers the learner's last click or key press in a view and the widgets
// the engine puts inside it, for the one request that arrives without the
// engine's own word on who asked: a download. A press vouches for one
// request within a few seconds; a page's script acting on its own finds none.
// UI thread only.
class LearnerGesture : public QObject {
public:
    explicit LearnerGesture(QWidget* view);

    // True when the learner pressed a button or key in the view lately, and
    // that press has not vouched for a request yet.
    bool take();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);

    QElapsedTimer sincePress_;
};

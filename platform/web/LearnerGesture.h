#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QUrl>

class QWidget;

// What the learner pressed in a view: the link under the pointer, or the one
// the keyboard is on, at the learner's last click or Enter in the view and the
// widgets the engine puts inside it. A press vouches for one request for that
// very link within a few seconds; a page's script acting on its own, even
// from the press's own handlers, asks for another address or finds none.
// UI thread only.
class LearnerGesture : public QObject {
public:
    explicit LearnerGesture(QWidget* view);

    // The link the pointer is over, or the keyboard is on; empty for none.
    // Told right after a press, it is what that press pressed.
    void pointAt(const QUrl& link);

    // True when the learner pressed this very address lately, and that press
    // has not vouched for a request yet; it then vouches for nothing more. A
    // request for another address leaves the press as it was.
    bool takeFor(const QUrl& address);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);
    void press();

    QUrl pointed_;
    QUrl pressed_;
    QElapsedTimer sincePress_;
};

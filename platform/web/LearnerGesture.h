#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QUrl>

class QKeyEvent;
class QWidget;

// What the learner pressed in a view: the link under the pointer at the
// learner's last click with the left button, or the link the keyboard is on
// at the last Enter, in the view and the widgets the engine puts inside it. A
// press vouches for one request for that very link within a few seconds; a
// page's script acting on its own, even from the press's own handlers, asks
// for another address or finds none. Other buttons vouch for nothing, and
// Enter in a text field vouches for no link the pointer happens to rest on.
// UI thread only.
class LearnerGesture : public QObject {
public:
    explicit LearnerGesture(QWidget* view);

    // The link the pointer is over, or the keyboard is on; empty for none.
    // Told right after a click while the pointer was moving, it is what that
    // click pressed (the engine tells of a link a moment after the pointer got
    // there), unless the click landed on a link told since the last move.
    void pointAt(const QUrl& link);

    // True when the learner pressed this very address lately, and that press
    // has not vouched for a request yet; it then vouches for nothing more. A
    // request for another address leaves the press as it was.
    bool takeFor(const QUrl& address);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);
    void press(const QUrl& link, bool pointingMayCatchUp);
    void pressButton(Qt::MouseButton button);
    void keyPress(const QKeyEvent& key);
    void forgetPress();

    bool keyboardLast_ = false;  // the last input that moved to a link was Tab, not the pointer
    QUrl pointedByMouse_;
    QUrl pointedByKeyboard_;
    bool pointedSinceMove_ = false;  // the engine told of the pointer's link after its last move
    QUrl pressed_;
    QElapsedTimer sincePress_;
    QElapsedTimer sinceMove_;
    bool pointingMayCatchUp_ = false;
};

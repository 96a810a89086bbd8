#pragma once

#include <functional>

#include <QObject>

class QScrollBar;

// What a user's scroll notification says was done to the bar.
enum class TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,   // the thumb was let go
    scTrack,      // the thumb is being dragged
    scTop,
    scBottom,
    scEndScroll,  // the user's action is over
};

// Turns what happens to a scroll bar into the two events of a classic scroll
// bar control:
// - OnScroll for each step of a user's action, delivered while the bar still
//   holds its position from before that step; the bar moves only after the
//   handler returns. Every action (arrow or page click, held or not, a drag
//   of the thumb, a key, a wheel notch) closes with scEndScroll, when the bar
//   already holds its final position. Releasing the thumb gives scPosition,
//   then the bar takes the thumb's place, then scEndScroll.
// - Keys step the bar in either orientation alike: Left and Up a line back,
//   Right and Down a line on, Page Up and Page Down a page, Home and End to
//   the ends.
// - OnChange whenever the position changes, whoever moved it. Setting the
//   position from the program never gives OnScroll.
// The notifier is a child of the bar and lives as long as it. UI thread only.
class ScrollBarNotifier : public QObject {
    Q_OBJECT
public:
    explicit ScrollBarNotifier(QScrollBar* bar);

    std::function<void(TScrollCode code, int scrollPos)> OnScroll;
    std::function<void()> OnChange;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stepTriggered(int action);
    void thumbPressed();
    void thumbReleased();
    void endScroll();
    void notify(TScrollCode code, int scrollPos);

    QScrollBar* bar_;
    // Where the user holds the thumb: the program may move the bar meanwhile.
    int thumbPos_ = 0;
    // A user action has moved the bar and waits for its end of scroll.
    bool scrolling_ = false;
    // The bar is handling the event that ends a user action: a move it makes
    // now (the menu's "scroll here") is the user's.
    bool handlingUserEvent_ = false;
};

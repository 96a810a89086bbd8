#pragma once

#include <functional>

#include <QFrame>
#include <QPushButton>
#include <QTimer>

// A small offer over the lesson picture's upper-left corner, in the skin's
// colours: one button ("Continue Lesson 7 at 3:12", "Next: Lesson 8") that a
// click, Return or Space, or a screen reader's press runs. It never takes the
// focus: Tab reaches it after the video, and readers hear of it as a
// notification when it appears. It goes by itself after a minute.
class ProgressOffer : public QFrame {
    Q_OBJECT

public:
    static constexpr int ShownMs = 60000;

    // video: the picture the offer lies over; the offer is its sibling, so
    // that readers find it in the video's panel.
    explicit ProgressOffer(QWidget* video);

    void offer(const QString& text, std::function<void()> accepted);
    void withdraw();

    QPushButton* button() const { return button_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* video_;
    QPushButton* button_;
    QTimer hideTimer_;
    std::function<void()> accepted_;
};

// "m:ss", or "h:mm:ss" from an hour on.
QString clockText(double seconds);

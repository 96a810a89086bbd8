#pragma once

#include <QWidget>

class TfrmMain;

// A small tick beside the row of each watched lesson, in the margin left of
// the lesson strip, so that the course's own strip picture stays as it is.
// Clicks go through it.
class WatchedMarks : public QWidget {
    Q_OBJECT

public:
    explicit WatchedMarks(TfrmMain& window);

    // Follows the window's watched lessons.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TfrmMain& window_;
};

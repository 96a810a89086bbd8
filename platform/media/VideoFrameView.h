#pragma once

#include <functional>

#include <QImage>
#include <QWidget>

// Draws the current video picture scaled to the whole widget, black where there
// is none, and passes the mouse and the Esc key on to its owner. The player
// control uses one inside the program's window and one as its full-screen window.
class VideoFrameView : public QWidget {
    Q_OBJECT

public:
    explicit VideoFrameView(QWidget* parent = nullptr);

    // Replaces the picture; a null image shows black.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

    std::function<void(QMouseEvent*)> onMouseRelease;
    std::function<void()> onDoubleClick;
    std::function<void()> onEscape;
    // The view became visible: its owner may have held back pictures meanwhile.
    std::function<void()> onShown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const QImage& pictureAtViewSize();

    QImage picture_;
    QImage scaled_;        // picture_ at the view's size, made once per picture
    bool scaledIsCurrent_ = false;
};

#pragma once

#include <functional>

#include <QImage>
#include <QWidget>

// Shows the video picture, which its owner draws at the view's own size into
// the view's frame buffer, black where there is none, and passes the mouse and
// the Esc key on to its owner. The player control uses one inside the
// program's window and one as its full-screen window.
class VideoFrameView : public QWidget {
    Q_OBJECT

public:
    explicit VideoFrameView(QWidget* parent = nullptr);

    // Lets draw fill the frame buffer, made at the view's size (32-bit
    // 0xffRRGGBB pixels, rows aligned for fast copies), then shows it.
    void drawPicture(const std::function<void(QImage&)>& draw);
    // Shows black until the next picture.
    void clearPicture();
    const QImage& picture() const { return picture_; }

    std::function<void(QMouseEvent*)> onMouseRelease;
    std::function<void()> onDoubleClick;
    std::function<void()> onEscape;
    // The view became visible or changed size: its owner draws it again.
    std::function<void()> onShown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage picture_;
};

#pragma once

#include <functional>

#include <QImage>
#include <QWidget>

// Shows the video picture, which its owner draws into the view's frame
// buffer, black where there is none, and passes the mouse and the Esc key on
// to its owner. The picture fills the view, or keeps its proportions with black
// bars once it has some. The player control uses one inside the program's
// window and one as its full-screen window.
class VideoFrameView : public QWidget {
    Q_OBJECT

public:
    explicit VideoFrameView(QWidget* parent = nullptr);

    // Lets draw fill the frame buffer, made at the size of the picture's area
    // in device pixels, so that it stays sharp on a scaled screen (32-bit
    // 0xffRRGGBB pixels, rows aligned for fast copies), then shows it.
    void drawPicture(const std::function<void(QImage&)>& draw);
    // Shows black until the next picture.
    void clearPicture();
    const QImage& picture() const { return picture_; }

    // Width over height of the picture to keep, or 0 to fill the view.
    void setProportions(double widthOverHeight);
    // Where the picture lies in the view.
    QRect pictureArea() const;

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
    QSize pixelSize() const;

    QImage picture_;
    double proportions_ = 0.0;
};

#pragma once

#include <functional>

#include <QImage>
#include <QWidget>

// An image control: draws its picture unscaled at its top-left corner, clipped
// to the control; without a picture it draws nothing and the parent shows
// through. Image controls without handlers are passive pictures. A picture
// that takes the focus clicks on Return, Enter or Space.
class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent);

    // Replaces the picture by the one in the file; the format follows the
    // file's extension. Raises "Cannot open file %s" for a file that cannot be
    // read and "JPEG error #%d" for a damaged JPEG file.
    void loadPicture(const QString& path);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

    std::function<void()> OnClick;
    std::function<void(Qt::KeyboardModifiers, int x, int y)> OnMouseMove;
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage picture_;
    bool pressed_ = false;
};

#pragma once

#include <functional>
#include <memory>

#include <QString>
#include <QWidget>

#include "WaveDevice.h"

// The MCI-style button bar: Play, Pause and Stop buttons, grey and always
// enabled, over one wave device. A click first asks OnClick, then, unless the
// handler cleared the flag, does the button's own action on the device.
// With the keyboard focus, Left and Right move a cursor between the buttons
// and Return, Enter or Space click the button under it.
class TMediaPlayer : public QWidget {
    Q_OBJECT

public:
    enum Button { btPlay = 0, btPause = 1, btStop = 2 };
    static constexpr int ButtonCount = 3;
    static constexpr int BarWidth = 200;
    static constexpr int BarHeight = 21;

    TMediaPlayer(QWidget* parent, std::unique_ptr<WaveDevice> device);

    QString FileName() const { return fileName_; }
    void setFileName(const QString& fileName) { fileName_ = fileName; }

    // Opens FileName on the device; a failure raises AppError with the
    // platform's text for the error, or "Unknown error code".
    void Open();

    // Each raises AppError("No MCI device open") while the device is not open.
    void Play();
    // Pauses a playing sound and resumes a paused one; otherwise does nothing.
    void Pause();
    void Stop();

    // Called first on every button click; clearing doDefault skips the bar's own action.
    std::function<void(int button, bool& doDefault)> OnClick;

    // Clicks a button as the user would; errors are reported, not raised.
    void click(int button);

    // The button under a point of the bar, or -1.
    int buttonAt(const QPoint& pos) const;
    // Where a button is drawn on the bar.
    QRect buttonRect(int button) const;

    WaveDevice& device() const { return *device_; }

    // The button under the keyboard's cursor, and its area in the bar.
    int cursor() const { return focused_; }
    QRect cursorRect() const { return buttonRect(focused_); }

signals:
    void cursorMoved(int button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paintButton(QPainter& painter, int button) const;
    void doDefaultAction(int button);
    void requireOpen() const;
    void check(int errorCode) const;

    std::unique_ptr<WaveDevice> device_;
    QString fileName_;
    int pressed_ = -1;
    int focused_ = btPlay;
};

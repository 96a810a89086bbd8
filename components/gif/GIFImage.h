#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QColor>
#include <QImage>
#include <QWidget>

#include "Clock.h"
#include "CourseFiles.h"
#include "GIFComposition.h"
#include "GIFPicture.h"
#include "TimerEx.h"

class QIODevice;

// A lightweight control that shows a GIF picture over its parent and animates
// it when it has several frames. It paints only where the picture is opaque;
// the parent shows through elsewhere. Its own Visible flag stops all drawing
// while the control keeps its place and its mouse input. Used on the
// user-interface thread only. With the keyboard focus, Return, Enter or
// Space click it.
class TGIFImage : public QWidget {
public:
    using TNotifyEvent = std::function<void(TGIFImage* sender)>;
    using TProgressEvent = std::function<void(TGIFImage* sender, qint64 BytesProcessed,
        qint64 BytesToProcess, int PercentageProcessed, bool& KeepOnProcessing)>;
    using TMouseEvent = std::function<void(TGIFImage* sender, Qt::MouseButton Button,
        Qt::KeyboardModifiers Shift, int X, int Y)>;
    using TMouseMoveEvent = std::function<void(TGIFImage* sender, Qt::KeyboardModifiers Shift,
        int X, int Y)>;

    explicit TGIFImage(QWidget* parent = nullptr);
    ~TGIFImage() override;

    // Loads a GIF file. A missing file returns false and changes nothing; any
    // other failure leaves the control empty and returns false.
    bool LoadFromFile(const QString& fileName);
    // The same for a course file read already (on another thread).
    bool LoadFromRead(const CourseFiles::Read& file);
    // Loads a GIF from the rest of the stream, with the same results.
    bool LoadFromStream(QIODevice& stream);

    bool Animate() const { return animate_; }
    void setAnimate(bool value);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool value);
    bool Center() const { return center_; }
    void setCenter(bool value);
    int CurrentFrame() const { return currentFrame_; }
    void setCurrentFrame(int value);
    bool DoubleBuffered() const { return doubleBuffered_; }
    void setDoubleBuffered(bool value);
    bool FirstImageOnly() const { return firstImageOnly_; }
    void setFirstImageOnly(bool value);
    bool Loop() const { return loop_; }
    void setLoop(bool value);
    bool Opaque() const { return opaque_; }
    void setOpaque(bool value);
    int Speed() const { return speed_; }
    void setSpeed(int value);
    bool Stretch() const { return stretch_; }
    void setStretch(bool value);
    bool StretchRatio() const { return stretchRatio_; }
    void setStretchRatio(bool value);
    bool StretchBigOnly() const { return stretchBigOnly_; }
    void setStretchBigOnly(bool value);
    bool Tile() const { return tile_; }
    void setTile(bool value);
    bool Threaded() const { return threaded_; }
    void setThreaded(bool value);
    TThreadPriority ThreadPriority() const { return threadPriority_; }
    void setThreadPriority(TThreadPriority value);
    // The control's Visible: named apart from QWidget's, which would also
    // take the mouse input away.
    bool visibleFlag() const { return visible_; }
    void setVisibleFlag(bool value);
    QColor Color() const { return color_; }
    void setColor(const QColor& value);
    TGIFVersion Version() const { return picture_.Version; }

    // The loaded picture, read-only.
    bool Empty() const { return empty_; }
    bool Animated() const { return animated_; }
    int FrameCount() const { return static_cast<int>(picture_.Frames.size()); }
    const TGIFFrame& Frame(int number) const { return picture_.Frames.at(number - 1); }
    const GIFPicture& Picture() const { return picture_; }
    int LoopCount() const { return picture_.LoopCount; }
    int LoopsDone() const { return loopsDone_; }
    QSize ScreenSize() const { return {picture_.ScreenWidth, picture_.ScreenHeight}; }
    // The composition as colour picture, and its mask (white = transparent;
    // a null image when no frame is transparent).
    QImage CompositionImage() const;
    QImage MaskImage() const;
    // Milliseconds frame `number` stays on screen at the present Speed.
    int DisplayTime(int number) const;
    // Where the picture goes in the control, and the states of the last paint.
    QRect DestinationRect() const;
    bool Stretched() const;
    bool FullyOpaque() const;
    // The animation clock while the animation runs, else null.
    TTimerEx* AnimationTimer() const { return timer_.get(); }

    // Tests and tools choose the clock and the hidden window of the timer.
    void setClock(const Clock& clock) { clock_ = &clock; }
    void setTimerWindowFactory(TTimerEx::TimerWindowFactory factory) { timerWindows_ = std::move(factory); }

    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;
    TProgressEvent OnProgress;
    TNotifyEvent OnWrapAnimation;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool loadBytes(const QByteArray& bytes);
    bool decode(const QByteArray& bytes);
    void reset();
    void arm(bool run, std::uint32_t interval);
    void armFromPaint();
    void tick();
    void drawFrame(int number);
    void disposeFrame(int number);
    void redraw();
    void paintControl(QPainter& painter);
    void drawPicture(QPainter& painter, const QRect& destination);
    const QImage& shownPicture();
    bool drawnWithMask() const;
    void raise(const TNotifyEvent& event);
    void restyle();

    bool animate_ = false;
    bool autoSize_ = false;
    bool center_ = false;
    int currentFrame_ = 1;
    bool doubleBuffered_ = true;
    bool firstImageOnly_ = false;
    bool loop_ = false;
    bool opaque_ = false;
    int speed_ = 100;
    bool stretch_ = false;
    bool stretchRatio_ = false;
    bool stretchBigOnly_ = false;
    bool tile_ = false;
    bool threaded_ = false;
    TThreadPriority threadPriority_ = tpNormal;
    bool visible_ = true;
    QColor color_;

    GIFPicture picture_;
    GIFComposition composition_;
    QImage shown_;
    bool shownStale_ = true;
    bool empty_ = true;
    bool animated_ = false;
    bool keepOnProcessing_ = true;
    int loopsDone_ = 1;
    bool firstTick_ = true;
    bool redrawing_ = false;
    bool doubleClicked_ = false;
    const Clock* clock_;
    TTimerEx::TimerWindowFactory timerWindows_;
    std::unique_ptr<TTimerEx> timer_;
};

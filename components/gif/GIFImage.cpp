#include "GIFImage.h"

#include <algorithm>
#include <cmath>

#include <QIODevice>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ActivationKey.h"
#include "ErrorReporting.h"
#include "GIFParser.h"

namespace {

// 100 x done / total, rounded to the nearest integer, halves to even.
int percentage(std::size_t done, std::size_t total)
{
    const unsigned long long scaled = 100ull * done;
    unsigned long long quotient = scaled / total;
    const unsigned long long twiceRest = 2 * (scaled % total);
    if (twiceRest > total || (twiceRest == total && quotient % 2 == 1))
        ++quotient;
    return static_cast<int>(quotient);
}

int roundHalfEven(float value)
{
    return static_cast<int>(std::nearbyint(value));
}

}  // namespace

TGIFImage::TGIFImage(QWidget* parent)
    : QWidget(parent), color_(palette().color(QPalette::Window)), clock_(&systemClock())
{
    resize(105, 105);
}

TGIFImage::~TGIFImage()
{
    timer_.reset();
}

// ---- loading ---------------------------------------------------------------

// A file that is there but cannot be read (a pipe, a device, one too large
// for a picture, one outside the course) leaves the control empty, as a file
// that is no GIF does.
bool TGIFImage::LoadFromFile(const QString& fileName)
{
    return LoadFromRead(CourseFiles::read(fileName, CourseFiles::Kind::Picture));
}

bool TGIFImage::LoadFromRead(const CourseFiles::Read& file)
{
    if (file.refusal == CourseFiles::Refusal::Missing)
        return false;
    return loadBytes(file.bytes);
}

bool TGIFImage::LoadFromStream(QIODevice& stream)
{
    return loadBytes(stream.readAll());
}

bool TGIFImage::loadBytes(const QByteArray& bytes)
{
    reset();
    bool loaded = false;
    try {
        loaded = decode(bytes);
    } catch (...) {
        loaded = false;
    }
    if (!loaded)
        reset();
    update();
    return loaded;
}

// Decodes the bytes and shows frame 1; false when the picture is unusable,
// the load was cancelled or the picture is too large to compose.
bool TGIFImage::decode(const QByteArray& bytes)
{
    GIFDecodeOptions options;
    options.FirstImageOnly = firstImageOnly_;
    if (OnProgress) {
        options.Progress = [this](std::size_t done, std::size_t total, bool& keep) {
            keepOnProcessing_ = keep;
            OnProgress(this, qint64(done), qint64(total), percentage(done, total), keepOnProcessing_);
            keep = keepOnProcessing_;
        };
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    if (GIFParser(data, std::size_t(bytes.size()), options, picture_).run() != GIFDecodeResult::Loaded)
        return false;
    if (!composition_.create(picture_.ScreenWidth, picture_.ScreenHeight, picture_.AnyTransparent))
        return false;
    if (autoSize_)
        resize(picture_.ScreenWidth, picture_.ScreenHeight);
    animated_ = picture_.Frames.size() > 1;
    empty_ = false;
    restyle();
    raise(OnChanging);
    drawFrame(1);
    raise(OnChange);
    return true;
}

// Back to an empty control: animation stopped, frames and composition gone.
void TGIFImage::reset()
{
    timer_.reset();
    picture_ = GIFPicture();
    composition_.release();
    shown_ = QImage();
    shownStale_ = true;
    empty_ = true;
    animated_ = false;
    currentFrame_ = 1;
    loopsDone_ = 1;
    firstTick_ = true;
    keepOnProcessing_ = true;
    restyle();
}

// ---- composition and animation ---------------------------------------------

void TGIFImage::drawFrame(int number)
{
    if (number < 1 || number > FrameCount())
        return;
    composition_.drawFrame(picture_.Frames[number - 1]);
    shownStale_ = true;
}

void TGIFImage::disposeFrame(int number)
{
    if (number < 1 || number > FrameCount())
        return;
    composition_.disposeFrame(picture_.Frames[number - 1]);
    shownStale_ = true;
}

int TGIFImage::DisplayTime(int number) const
{
    const int delay = number >= 1 && number <= FrameCount() ? picture_.Frames[number - 1].Delay : 0;
    const long long time = std::max(delay, 50) * 100LL / speed_;
    return static_cast<int>(std::max(time, 1LL));
}

// Creates the animation timer when the animation runs and sets its interval;
// destroys it when it does not.
void TGIFImage::arm(bool run, std::uint32_t interval)
{
    if (!run) {
        timer_.reset();
        return;
    }
    if (!timer_) {
        timer_ = std::make_unique<TTimerEx>(nullptr, timerWindows_);
        timer_->setThreaded(threaded_);
        timer_->setThreadPriority(threadPriority_);
        timer_->setOnTimer([this](TTimerEx*) { tick(); });
    }
    timer_->setInterval(interval);
}

void TGIFImage::armFromPaint()
{
    const int count = FrameCount();
    const bool loopsLeft = loopsDone_ <= picture_.LoopCount || loop_ || picture_.LoopCount == 0;
    const bool timed = animate_ && count > 1 && currentFrame_ <= count;
    arm(animated_ && animate_ && !empty_ && loopsLeft, timed ? DisplayTime(currentFrame_) : 1);
}

// One animation step: shows frame CurrentFrame (the first tick only arms the
// next one, frame 1 being drawn by the load) and times the next step.
void TGIFImage::tick()
{
    const int count = FrameCount();
    if (empty_ || !animate_ || !timer_ || count == 0)
        return;
    const std::int64_t started = clock_->tickCountMs();
    if (currentFrame_ > count || currentFrame_ < 1)
        currentFrame_ = 1;
    raise(OnChanging);
    if (firstTick_) {
        firstTick_ = false;
    } else {
        disposeFrame(currentFrame_ == 1 ? count : currentFrame_ - 1);
        drawFrame(currentFrame_);
        redraw();
    }
    const std::int64_t left = DisplayTime(currentFrame_) - (clock_->tickCountMs() - started);
    if (timer_)
        timer_->setInterval(static_cast<std::uint32_t>(std::max<std::int64_t>(left, 1)));
    ++currentFrame_;
    const bool wrapped = currentFrame_ > count;
    if (!loop_ && picture_.LoopCount > 0 && wrapped) {
        ++loopsDone_;
        arm(loopsDone_ <= picture_.LoopCount, timer_ ? timer_->Interval() : 1);
    } else if (wrapped) {
        currentFrame_ = 1;
    }
    raise(OnChange);
    if (wrapped)
        raise(OnWrapAnimation);
}

void TGIFImage::raise(const TNotifyEvent& event)
{
    if (event)
        event(this);
}

// ---- painting ----------------------------------------------------------------

bool TGIFImage::Stretched() const
{
    const int w = picture_.ScreenWidth, h = picture_.ScreenHeight;
    const bool bigOnlyKeeps = stretchBigOnly_ && width() >= w && height() >= h;
    return (stretch_ || stretchRatio_) && (width() != w || height() != h) && !bigOnlyKeeps;
}

QRect TGIFImage::DestinationRect() const
{
    const int W = width(), H = height();
    const int w = picture_.ScreenWidth, h = picture_.ScreenHeight;
    if (w == 0 || h == 0)
        return {};
    const bool stretched = Stretched();
    if (stretched && stretchRatio_ && !stretch_) {
        const float sx = float(W) / float(w), sy = float(H) / float(h);
        if (sx > sy) {
            const float margin = (float(W) - float(w) * sy) / 2.0f;
            const int left = roundHalfEven(margin);
            return QRect(left, 0, roundHalfEven(float(W) - margin) - left, H);
        }
        const float margin = (float(H) - float(h) * sx) / 2.0f;
        const int top = roundHalfEven(margin);
        return QRect(0, top, W, roundHalfEven(float(H) - margin) - top);
    }
    if (stretched || tile_)
        return rect();
    if (center_)
        return QRect((W - w) / 2, (H - h) / 2, w, h);
    return QRect(0, 0, w, h);
}

bool TGIFImage::FullyOpaque() const
{
    if (!visible_ || empty_ || FrameCount() == 0 || picture_.Frames[0].Transparent)
        return false;
    return (DestinationRect() & rect()) == rect();
}

// The window system is told that the control paints all of its area while
// it is fully opaque, so the parent does not paint beneath it.
void TGIFImage::restyle()
{
    const bool opaque = FullyOpaque();
    if (testAttribute(Qt::WA_OpaquePaintEvent) != opaque) {
        setAttribute(Qt::WA_OpaquePaintEvent, opaque);
        update();
    }
}

void TGIFImage::paintEvent(QPaintEvent*)
{
    runGuarded([this] {
        restyle();
        QPainter painter(this);
        paintControl(painter);
        painter.end();
        armFromPaint();
    });
}

void TGIFImage::paintControl(QPainter& painter)
{
    if (!visible_)
        return;
    if (opaque_ && !FullyOpaque())
        painter.fillRect(rect(), color_);
    if (empty_ || FrameCount() == 0)
        return;
    const QRect destination = DestinationRect();
    if (Stretched()) {
        drawPicture(painter, destination);
    } else if (tile_) {
        const int w = picture_.ScreenWidth, h = picture_.ScreenHeight;
        for (int row = 0; row <= height() / h; ++row) {
            for (int column = 0; column <= width() / w; ++column)
                drawPicture(painter, QRect(column * w, row * h, w, h));
        }
    } else {
        drawPicture(painter, destination);
    }
}

// Draws the composition into the rectangle, scaled without smoothing when
// the sizes differ; through its mask when frame 1 is transparent.
void TGIFImage::drawPicture(QPainter& painter, const QRect& destination)
{
    const QImage& picture = shownPicture();
    if (destination.size() == picture.size())
        painter.drawImage(destination.topLeft(), picture);
    else
        painter.drawImage(destination, picture);
}

bool TGIFImage::drawnWithMask() const
{
    return composition_.hasMask() && FrameCount() > 0 && picture_.Frames[0].Transparent;
}

// The composition as Qt draws it: transparent where the mask says so when the
// picture is drawn with its mask, opaque otherwise. Rebuilt after each change.
const QImage& TGIFImage::shownPicture()
{
    if (!shownStale_)
        return shown_;
    const int w = composition_.width(), h = composition_.height();
    shown_ = QImage(w, h, drawnWithMask() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const std::uint32_t* pixels = composition_.pixels();
    const std::uint8_t* mask = composition_.mask();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(shown_.scanLine(y));
        const std::size_t at = std::size_t(y) * w;
        if (!drawnWithMask()) {
            std::copy_n(pixels + at, w, line);
            continue;
        }
        for (int x = 0; x < w; ++x)
            line[x] = mask[at + x] ? 0u : pixels[at + x];
    }
    shownStale_ = false;
    return shown_;
}

// Shows a frame step at once where the picture lies.
void TGIFImage::redraw()
{
    if (!parentWidget() || redrawing_ || !visible_)
        return;
    redrawing_ = true;
    update(DestinationRect() & rect());
    redrawing_ = false;
}

QImage TGIFImage::CompositionImage() const
{
    QImage image(composition_.width(), composition_.height(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        std::copy_n(composition_.pixels() + std::size_t(y) * image.width(), image.width(),
                    reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    }
    return image;
}

QImage TGIFImage::MaskImage() const
{
    if (!composition_.hasMask())
        return {};
    QImage image(composition_.width(), composition_.height(), QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* mask = composition_.mask() + std::size_t(y) * image.width();
        std::uint8_t* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            line[x] = mask[x] ? 255 : 0;
    }
    return image;
}

// ---- properties ----------------------------------------------------------------

void TGIFImage::setAnimate(bool value)
{
    if (value == animate_)
        return;
    animate_ = value;
    loopsDone_ = 1;
    arm(value && animated_ && !empty_, FrameCount() <= 1 ? 0 : DisplayTime(currentFrame_));
    if (!value && currentFrame_ >= 2) {
        disposeFrame(currentFrame_ - 1);
        currentFrame_ = 1;
        drawFrame(1);
        update();
    }
}

void TGIFImage::setAutoSize(bool value)
{
    autoSize_ = value;
    if (value && !empty_)
        resize(picture_.ScreenWidth, picture_.ScreenHeight);
}

void TGIFImage::setCurrentFrame(int value)
{
    if (value < 1 || value > FrameCount())
        return;
    raise(OnChanging);
    disposeFrame(currentFrame_);
    currentFrame_ = value;
    drawFrame(value);
    redraw();
    raise(OnChange);
}

void TGIFImage::setLoop(bool value)
{
    const bool exhausted = picture_.LoopCount > 0 && loopsDone_ > picture_.LoopCount;
    const bool turnedOn = value && !loop_;
    loop_ = value;
    if (turnedOn && exhausted && FrameCount() > 0) {
        currentFrame_ = 1;
        loopsDone_ = 1;
        arm(animate_ && animated_ && !empty_, DisplayTime(1));
    }
}

void TGIFImage::setSpeed(int value)
{
    speed_ = std::max(value, 1);
    if (FrameCount() > 1 && animate_ && timer_)
        timer_->setInterval(1);
}

void TGIFImage::setThreaded(bool value)
{
    threaded_ = value;
    if (timer_)
        timer_->setThreaded(value);
}

void TGIFImage::setThreadPriority(TThreadPriority value)
{
    threadPriority_ = value;
    if (timer_)
        timer_->setThreadPriority(value);
}

void TGIFImage::setVisibleFlag(bool value)
{
    visible_ = value;
    restyle();
    update();
}

void TGIFImage::setDoubleBuffered(bool value) { doubleBuffered_ = value; }
void TGIFImage::setFirstImageOnly(bool value) { firstImageOnly_ = value; }
void TGIFImage::setCenter(bool value) { center_ = value; restyle(); update(); }
void TGIFImage::setOpaque(bool value) { opaque_ = value; update(); }
void TGIFImage::setStretch(bool value) { stretch_ = value; restyle(); update(); }
void TGIFImage::setStretchRatio(bool value) { stretchRatio_ = value; restyle(); update(); }
void TGIFImage::setStretchBigOnly(bool value) { stretchBigOnly_ = value; restyle(); update(); }
void TGIFImage::setTile(bool value) { tile_ = value; restyle(); update(); }
void TGIFImage::setColor(const QColor& value) { color_ = value; update(); }

// ---- mouse -------------------------------------------------------------------

void TGIFImage::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    runGuarded([&] {
        if (OnMouseDown)
            OnMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    });
}

void TGIFImage::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool click = event->button() == Qt::LeftButton && rect().contains(at) && !doubleClicked_;
    doubleClicked_ = false;
    runGuarded([&] {
        if (click)
            raise(OnClick);
        if (OnMouseUp)
            OnMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
    });
}

void TGIFImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    doubleClicked_ = event->button() == Qt::LeftButton;
    runGuarded([&] {
        if (doubleClicked_)
            raise(OnDblClick);
    });
    mousePressEvent(event);
}

void TGIFImage::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    runGuarded([&] {
        if (OnMouseMove)
            OnMouseMove(this, event->modifiers(), at.x(), at.y());
    });
}

// A key held down clicks once.
void TGIFImage::keyPressEvent(QKeyEvent* event)
{
    if (!OnClick || !isActivationKey(*event))
        return QWidget::keyPressEvent(event);
    if (!event->isAutoRepeat())
        runGuarded([&] { raise(OnClick); });
}

#include "DesktopMediaSession.h"

#include <algorithm>
#include <cmath>

#include "CD_Quorvate1.h"
#include "ErrorReporting.h"
#include "PlayedClip.h"

namespace {

// A position further than this from where the clip should have got to is a seek.
constexpr double kSeekTolerance = 1.0;

// Under the program's own name: the MPRIS prefix is reserved for the interface itself.
const QString kTrackPath = QStringLiteral("/org/tovrelle/Tovrelle/lesson/");

MediaSessionState::Status statusOf(int playState)
{
    switch (playState) {
    case VideoControl::Playing:
    case VideoControl::Waiting:  // a clip opening is about to play: no flicker in panels
        return MediaSessionState::Status::Playing;
    case VideoControl::Paused:
        return MediaSessionState::Status::Paused;
    default:
        return MediaSessionState::Status::Stopped;
    }
}

}  // namespace

DesktopMediaSession::DesktopMediaSession(TfrmMain& window, const QString& courseName, IdleInhibitor& inhibitor,
                                         MediaSession& session, const Clock& clock)
    : window_(window), courseName_(courseName), inhibitor_(inhibitor), session_(session), clock_(clock)
{
    session_.setControls(this);
    connect(&poll_, &QTimer::timeout, this, &DesktopMediaSession::update);
    poll_.start(PollMs);
    update();
}

DesktopMediaSession::~DesktopMediaSession()
{
    session_.setControls(nullptr);
    inhibitor_.release();
}

MediaSessionState DesktopMediaSession::readState() const
{
    const TActiveMovie& movie = *window_.ActiveMovie1;
    const PlayedClip clip = PlayedClip::of(window_);
    const int lesson = clip.lesson;
    const bool lessonMode = window_.numLessons >= 1;
    MediaSessionState state;
    state.status = statusOf(movie.PlayState());
    state.rate = movie.Speed();
    state.volume = movie.control().volume();
    state.minimumRate = TActiveMovie::MinimumSpeed;
    state.maximumRate = TActiveMovie::MaximumSpeed;
    if (lesson < 0)
        return state;
    state.trackId = kTrackPath + QString::number(lesson);
    state.title = clip.title;
    state.album = courseName_;
    state.length = std::max(movie.Duration(), 0.0);
    state.canGoNext = lessonMode && lesson < window_.numLessons;
    state.canGoPrevious = lessonMode && lesson > 1;
    return state;
}

// Within one clip that goes on, the position should have moved by the time
// passed at the clip's speed, and not at all while paused.
bool DesktopMediaSession::jumped(const MediaSessionState& state, double position, std::int64_t now) const
{
    if (state.trackId != published_.trackId || state.status == MediaSessionState::Status::Stopped)
        return false;
    const bool moving = published_.status == MediaSessionState::Status::Playing;
    const double expected = lastPosition_ + (moving ? (now - lastReadMs_) / 1000.0 * state.rate : 0.0);
    return std::abs(position - expected) > kSeekTolerance;
}

void DesktopMediaSession::update()
{
    const MediaSessionState state = readState();
    const double position = window_.ActiveMovie1->CurrentPosition();
    const std::int64_t now = clock_.tickCountMs();
    if (state.status == MediaSessionState::Status::Playing)
        inhibitor_.hold(QStringLiteral("Playing %1 of %2").arg(state.title, state.album));
    else
        inhibitor_.release();
    if (jumped(state, position, now))
        session_.seeked(position);
    session_.publish(state);
    published_ = state;
    lastPosition_ = position;
    lastReadMs_ = now;
}

// Through the bar itself, so that its banner and its own sound act as for a click.
void DesktopMediaSession::clickButton(int button)
{
    window_.MediaPlayer1->click(button);
    update();
}

// A lesson must not play as sound behind the resources or sponsors page: the
// training section comes back first, through its tab, as if clicked.
void DesktopMediaSession::showTraining()
{
    if (window_.trPanel->isHidden())
        window_.imgTrHotspot->OnClick();
}

void DesktopMediaSession::play()
{
    showTraining();
    clickButton(TMediaPlayer::btPlay);
}

void DesktopMediaSession::pause() { clickButton(TMediaPlayer::btPause); }
void DesktopMediaSession::stop() { clickButton(TMediaPlayer::btStop); }

// Toggles what the desktop was told: a clip still opening counts as playing.
void DesktopMediaSession::playPause()
{
    if (statusOf(window_.ActiveMovie1->PlayState()) == MediaSessionState::Status::Playing)
        pause();
    else
        play();
}

void DesktopMediaSession::chooseLesson(int lesson)
{
    showTraining();
    runGuarded([&] { window_.chooseLesson(lesson); });
}

void DesktopMediaSession::next()
{
    if (const int lesson = PlayedClip::of(window_).lesson; lesson >= 0)
        chooseLesson(lesson + 1);
    update();
}

void DesktopMediaSession::previous()
{
    if (const int lesson = PlayedClip::of(window_).lesson; lesson >= 2)
        chooseLesson(lesson - 1);
    update();
}

double DesktopMediaSession::position() const
{
    return window_.ActiveMovie1->CurrentPosition();
}

// The seek of the bar, after which the bar follows at once.
void DesktopMediaSession::setPosition(double seconds)
{
    runGuarded([&] {
        window_.ActiveMovie1->setCurrentPosition(seconds);
        window_.Timer1Timer();
    });
    update();
}

void DesktopMediaSession::setRate(double rate)
{
    window_.ActiveMovie1->setSpeed(rate);
    update();
}

void DesktopMediaSession::setVolume(double level)
{
    window_.ActiveMovie1->control().setVolume(level);
    update();
}

void DesktopMediaSession::raise()
{
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
    window_.raise();
    window_.activateWindow();
}

// After the desktop has its answer: closing ends the program.
void DesktopMediaSession::quit()
{
    QTimer::singleShot(0, &window_, [this] { window_.close(); });
}

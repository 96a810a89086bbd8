// Playing the lesson video: the button bar, the seek bar and the one-second
// timer that moves it, and the hand-over from the introduction to lesson 1.
// The playing state lives in the video control alone.
#include <algorithm>
#include <cmath>
#include <limits>

#include "CD_Quorvate1.h"
#include "Conversions.h"
#include "accessible/ChangeReporting.h"

namespace {

// A whole percent or second, rounded halves to even; the seek bar clamps
// whatever lies beyond its range.
int roundToInt(double value)
{
    const double rounded = Conversions::roundHalfEven(value);
    if (std::isnan(rounded))
        return 0;
    return int(std::clamp(rounded, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max())));
}

}  // namespace

// Opens a clip of the media folder by its file name and plays it from its start.
void TfrmMain::movieSwap(const QString& fileName)
{
    ActiveMovie1->setFileName(mediaPath(QStringLiteral("Media\\") + fileName));
    ActiveMovie1->Play();
}

// The bar's own sound is stopped first, so an unopened bar stops the click
// before the video is touched. The bar then does its own action on its sound.
void TfrmMain::MediaPlayer1Click(int button, bool& /*doDefault*/)
{
    adSwap();
    MediaPlayer1->Stop();
    switch (button) {
    case TMediaPlayer::btPlay:
        ActiveMovie1->Play();
        break;
    case TMediaPlayer::btPause:
        ActiveMovie1->Pause();
        break;
    case TMediaPlayer::btStop:
        ActiveMovie1->Stop();
        break;
    }
    reportAccessibleChanges({MediaPlayer1, ActiveMovie1});
}

// Moves the seek bar to the played percentage. Setting it from here never
// seeks, so the video does not feed back into itself. While the video seeks,
// or stands where the bar sent it, the bar keeps the user's step: a percent
// of a short clip rounds to a whole second that reads back as another percent,
// and the next arrow step would go from there.
void TfrmMain::Timer1Timer()
{
    // The state changes by itself too: at the clip's end, by a media key.
    reportAccessibleChanges({MediaPlayer1, ActiveMovie1});
    const double length = ActiveMovie1->Duration();
    if (length <= 0 || ActiveMovie1->Seeking() || videoStandsWhereTheBarSentIt())
        return;
    barSeek_.reset();
    ScrollBar1->setValue(roundToInt(ActiveMovie1->CurrentPosition() / length * 100.0));
}

// The bar still holds its position from before this notification; the end of
// every scroll brings the video to the final one. A scroll action seeks only
// the clip it began on: the introduction dragged to its end hands over to
// lesson 1, which starts at its start however the drag goes on.
void TfrmMain::ScrollBar1Scroll(TScrollCode scrollCode, int /*scrollPos*/)
{
    if (!scrollActionClip_)
        scrollActionClip_ = ActiveMovie1->FileName();
    const bool sameClip = *scrollActionClip_ == ActiveMovie1->FileName();
    if (scrollCode == TScrollCode::scEndScroll)
        scrollActionClip_.reset();
    if (!sameClip)
        return;
    const double length = ActiveMovie1->Duration();
    const int seconds = roundToInt(length * ScrollBar1->value() / 100.0);
    ActiveMovie1->setCurrentPosition(seconds);
    barSeek_ = BarSeek{ActiveMovie1->FileName(), double(seconds)};
    if (scrollCode == TScrollCode::scEndScroll)
        reportAccessibleChanges({ScrollBar1});
}

// Half a second on, a playing video has left the bar's place.
bool TfrmMain::videoStandsWhereTheBarSentIt() const
{
    return barSeek_ && barSeek_->clip == ActiveMovie1->FileName()
        && std::abs(ActiveMovie1->CurrentPosition() - barSeek_->seconds) < 0.5;
}

// The introduction played (or dragged) to its end hands over to lesson 1. The
// new clip starts by itself; the lesson, its highlight and bookmarks stay.
void TfrmMain::ScrollBar1Change()
{
    if (ActiveMovie1->FileName() == mediaPath(QStringLiteral("Media\\vid_00.avi")) && ScrollBar1->value() > 99) {
        ActiveMovie1->setFileName(mediaPath(QStringLiteral("Media\\vid_01.avi")));
        reportAccessibleChanges({Image15, ActiveMovie1});
    }
}

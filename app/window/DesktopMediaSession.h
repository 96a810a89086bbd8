#pragma once

#include <cstdint>

#include <QObject>
#include <QString>
#include <QTimer>

#include "Clock.h"
#include "IdleInhibitor.h"
#include "MediaSession.h"

class TfrmMain;

// The lesson video as a citizen of the desktop: an idle inhibition held while
// a clip plays, the desktop's media controls kept up to date, and their
// commands answered through the window's own handlers (the button bar, the
// lesson strip, the seek). The player is read on a short timer rather than
// hooked where it changes: its state lives in the video control alone and
// changes by the button bar, the tabs, the bookmark menu, the end of a clip,
// the introduction's hand-over and failures alike. UI thread only.
class DesktopMediaSession : public QObject, public MediaSessionControls {
    Q_OBJECT

public:
    static constexpr int PollMs = 250;

    DesktopMediaSession(TfrmMain& window, const QString& courseName, IdleInhibitor& inhibitor,
                        MediaSession& session, const Clock& clock = systemClock());
    ~DesktopMediaSession() override;

    // Reads the player, holds or releases the inhibition, tells the desktop
    // what changed and whether the position jumped.
    void update();

    void play() override;
    void pause() override;
    void playPause() override;
    void stop() override;
    void next() override;
    void previous() override;
    double position() const override;
    void setPosition(double seconds) override;
    void setRate(double rate) override;
    void setVolume(double level) override;
    void raise() override;
    void quit() override;

private:
    MediaSessionState readState() const;
    bool jumped(const MediaSessionState& state, double position, std::int64_t now) const;
    void clickButton(int button);
    void showTraining();
    void chooseLesson(int lesson);

    TfrmMain& window_;
    QString courseName_;
    IdleInhibitor& inhibitor_;
    MediaSession& session_;
    const Clock& clock_;
    QTimer poll_;
    MediaSessionState published_;
    double lastPosition_ = 0.0;
    std::int64_t lastReadMs_ = 0;
};

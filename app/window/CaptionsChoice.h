#pragma once

#include "UserSettings.h"
#include "VideoControl.h"

// Whether the lessons' captions show: shown unless the learner turned them
// off, and the choice kept in the program's settings for the next start.
// UI thread only.
class CaptionsChoice {
public:
    // Shows or hides them on the player as the settings keep it.
    CaptionsChoice(UserSettings settings, VideoControl& player);

    // Hides them when shown and shows them when hidden, and keeps that. Where
    // the settings cannot be written the choice holds for this run alone.
    void toggle();

private:
    UserSettings settings_;
    VideoControl& player_;
};

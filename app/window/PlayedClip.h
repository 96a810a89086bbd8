#pragma once

#include <QString>

class TfrmMain;

// The clip open in the window's video, as a learner names it.
struct PlayedClip {
    // Read from the video's file name, since the introduction hands over to
    // lesson 1 without a lesson choice.
    static PlayedClip of(const TfrmMain& window);

    // 0 for the introduction, the lesson's number, or -1 when no clip is open.
    int lesson = -1;
    // "Introduction", "Lesson 3", or in single-video mode the course's name
    // for its video; empty when no clip is open.
    QString title;
};

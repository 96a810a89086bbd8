#pragma once

#include <cstdint>

#include <QString>

class TfrmMain;

// What readers hear of the learner's progress on the lesson strip.

// "Lesson 3", or "Lesson 3, watched".
QString lessonItemName(const TfrmMain& window, std::int32_t lesson);

// "5 of 12 lessons watched"; empty while none is, as in a course opened for
// the first time.
QString watchedSummary(const TfrmMain& window);

// Tells readers that these lessons' names and the strip's summary changed.
void tellWatchedChanged(const TfrmMain& window);

// Opens the strip item's menu for a lesson, as the Menu key does on its row;
// posted, so that a reader's action returns at once.
void requestLessonMenu(const TfrmMain& window, std::int32_t lesson);

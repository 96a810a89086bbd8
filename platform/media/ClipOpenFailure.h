#pragma once

#include <QString>

// What the learner reads when a clip cannot be opened: the file's path and
// the cause in plain words, the player's own reason after them.
namespace ClipOpenFailure {

enum class Cause {
    NotLoaded,  // the player could not open the file as a clip
    NoPicture,  // the file opened but holds no picture the player can show
    NoPlayer,   // the player itself could not be started
};

// The file itself decides between missing, unreadable and damaged: the player
// says "loading failed" for all three.
QString message(const QString& path, Cause cause, const QString& playerReason);

}  // namespace ClipOpenFailure

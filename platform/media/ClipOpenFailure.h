#pragma once

#include <functional>
#include <memory>

#include <QObject>
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
// says "loading failed" for all three. Reads the disc; may take as long as
// the disc does.
QString message(const QString& path, Cause cause, const QString& playerReason);

}  // namespace ClipOpenFailure

// Works the message out on a thread of its own, since a disc that does not
// answer must not stall the window, and tells it on the UI thread. A thread
// stuck on such a disc is left behind: it tells no one once its probe is
// gone, and does not hold up the program's end. UI thread only.
class ClipOpenFailureProbe : public QObject {
    Q_OBJECT

public:
    using Told = std::function<void(const QString& message)>;

    ClipOpenFailureProbe();
    ~ClipOpenFailureProbe() override;

    // Calls told with the message, later, unless this probe is gone by then.
    void probe(const QString& path, ClipOpenFailure::Cause cause, const QString& playerReason, Told told);

private:
    struct Link;
    std::shared_ptr<Link> link_;
};

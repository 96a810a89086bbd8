#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QString>
#include <QThread>

#include "CourseProgress.h"
#include "ProgressFile.h"

// The course's progress file, worked on a thread of its own so that no save
// holds up a frame. Changes queue in order; one that cannot be written waits
// and goes with the next. The calls return at once, except flush.
class ProgressStore : public QObject {
    Q_OBJECT

public:
    struct Course {
        QString qelIni;       // native paths in the course folder
        QString mediaFolder;
        QString dataFolder;   // where the file is kept
    };

    ProgressStore();
    // Writes what still waits, then ends the thread.
    ~ProgressStore() override;

    // Finds the course's file (forgetting it first when asked) and reads it;
    // loaded then runs on the caller's thread with what it holds.
    void open(const Course& course, bool forgetFirst, std::function<void(const CourseProgress&)> loaded);
    void save(const ProgressChange& change);
    void forget();
    // Returns once every change asked for so far is written or has failed.
    void flush();

private:
    void writePending();

    QThread thread_;
    QObject* worker_;  // lives on thread_; everything below is touched there only
    std::optional<ProgressFile> file_;
    ProgressChange pending_;
    bool failing_ = false;
};

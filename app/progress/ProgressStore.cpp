#include "ProgressStore.h"

#include <cerrno>


#include "DataFolder.h"
#include "CourseIdentity.h"
#include "ProgressLog.h"

ProgressStore::ProgressStore() : worker_(new QObject)
{
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.setObjectName(QStringLiteral("progress"));
    thread_.start(QThread::LowPriority);
}

ProgressStore::~ProgressStore()
{
    flush();
    thread_.quit();
    thread_.wait();
}

void ProgressStore::open(const Course& course, bool forgetFirst, std::function<void(const CourseProgress&)> loaded)
{
    QMetaObject::invokeMethod(worker_, [this, course, forgetFirst, loaded = std::move(loaded)] {
        file_.emplace(course.dataFolder + u'/'
                      + CourseIdentity::progressFileName(CourseIdentity::of(course.qelIni, course.mediaFolder)));
        if (forgetFirst)
            file_->forget();
        const CourseProgress progress = file_->read();
        QMetaObject::invokeMethod(this, [loaded, progress] { loaded(progress); });
    });
}

void ProgressStore::save(const ProgressChange& change)
{
    QMetaObject::invokeMethod(worker_, [this, change] {
        pending_.add(change);
        writePending();
    });
}

void ProgressStore::forget()
{
    QMetaObject::invokeMethod(worker_, [this] {
        pending_ = {};
        if (file_)
            file_->forget();
    });
}

void ProgressStore::flush()
{
    if (!thread_.isRunning())
        return;
    QMetaObject::invokeMethod(worker_, [this] { writePending(); }, Qt::BlockingQueuedConnection);
}

void ProgressStore::writePending()
{
    if (!file_ || pending_.empty())
        return;
    const bool written = file_->apply(pending_);
    const int error = errno;
    if (written)
        pending_ = {};
    // A full disk or a read-only folder is told once, not at every save.
    else if (!failing_)
        qCWarning(progressLog).noquote() << QStringLiteral("The course's progress cannot be kept in %1: %2")
                                    .arg(file_->path(), systemMessage(error));
    failing_ = !written;
}

#include "BannerReads.h"

#include <memory>

#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>

void BannerReads::read(const QString& path, Shown shown)
{
    const quint64 ticket = ++latest_;
    // The worker holds the promise alone once the window has gone.
    auto promise = std::make_shared<QPromise<CourseFiles::Read>>();
    auto* watcher = new QFutureWatcher<CourseFiles::Read>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, ticket, shown = std::move(shown)] {
        watcher->deleteLater();
        if (ticket == latest_ && watcher->future().resultCount() == 1)
            shown(watcher->result());
    });
    watcher->setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start([promise, path, folder = CourseFiles::confinedFolder()] {
        promise->addResult(CourseFiles::read(path, CourseFiles::Kind::Picture, folder));
        promise->finish();
    });
}

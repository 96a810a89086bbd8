#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "CourseFiles.h"

// Reads the sponsor banners of the rotation off the window's thread: a disc
// that takes its time holds up the next picture, never the window. Of the
// reads asked for, only the last is handed over; a banner the rotation has
// moved past since is dropped. Created and used on the UI thread.
class BannerReads : public QObject {
public:
    using Shown = std::function<void(const CourseFiles::Read& file)>;

    explicit BannerReads(QObject* parent) : QObject(parent) {}

    // Reads the picture at path on a worker thread; shown then gets it on this
    // thread, unless another read was asked for meanwhile.
    void read(const QString& path, Shown shown);

private:
    quint64 latest_ = 0;
};

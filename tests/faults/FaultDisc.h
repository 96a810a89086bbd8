#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QThread>

// A folder on the pass-through file system of fault-fs.py, whose faults the
// test sets at any time: slow reads, reads failing part-way, the disc gone,
// the disc full, modes refused. Needs /dev/fuse; usable() says whether the
// mount came up.
class FaultDisc {
public:
    // The disc shows the folder source, or a fresh empty one.
    explicit FaultDisc(const QString& sourceFolder = QString())
        : source_(sourceFolder.isEmpty() ? root_.filePath(QStringLiteral("source")) : sourceFolder)
    {
        QDir().mkpath(source_);
        QDir(root_.path()).mkpath(QStringLiteral("disc"));
        if (!QFile::exists(QStringLiteral("/dev/fuse")))
            return;
        fs_.start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral(FAULT_FS_SCRIPT), source(), path(), root_.filePath(QStringLiteral("control.json"))});
        QElapsedTimer waited;
        waited.start();
        while (!mounted() && waited.elapsed() < 10000 && fs_.state() != QProcess::NotRunning)
            QThread::msleep(20);
    }

    ~FaultDisc()
    {
        setFaults({});
        if (fs_.state() == QProcess::NotRunning)
            return;
        QProcess::execute(QStringLiteral("fusermount"), {QStringLiteral("-u"), path()});
        if (!fs_.waitForFinished(5000))
            fs_.kill();
        fs_.waitForFinished(2000);
    }

    bool usable() const { return mounted(); }

    // The folder the program sees, and the real folder beneath it.
    QString path() const { return root_.filePath(QStringLiteral("disc")); }
    QString source() const { return source_; }

    // Replaces every fault at once; {} removes them all.
    void setFaults(const QJsonObject& faults)
    {
        const QString control = root_.filePath(QStringLiteral("control.json"));
        QFile file(control + QStringLiteral(".new"));
        if (file.open(QIODevice::WriteOnly))
            file.write(QJsonDocument(faults).toJson());
        file.close();
        QFile::remove(control);
        QFile::rename(control + QStringLiteral(".new"), control);
    }

private:
    bool mounted() const
    {
        QStorageInfo mount(path());
        mount.refresh();
        return mount.rootPath() == path();
    }

    QTemporaryDir root_;
    QString source_;
    QProcess fs_;
};

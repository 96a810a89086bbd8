#include "SafeFileWriter.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>

#include "SystemCalls.h"

namespace {

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    if (slash == 0)
        return "/";
    return path.left(slash);
}

bool writableByPermission(const QByteArray& path, const struct stat& info)
{
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.constData(), W_OK) == 0;
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// A fresh file beside the path, created as any new file is (the process's
// umask and the folder's default permissions apply) and open for writing; -1
// when none can be made. Its name goes to temporary.
int createBeside(const QByteArray& path, QByteArray& temporary)
{
    const QByteArray stem = folderOf(path) + "/." + path.mid(path.lastIndexOf('/') + 1) + '.';
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = stem + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        const int fd = SystemCalls::retryInterrupted(
            [&] { return ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); });
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the fresh file the permissions (and, for root, the owner) of the file
// it replaces; a new file keeps those it was created with. A folder that
// cannot hold them (vfat, some network shares) still takes the new contents,
// so a refusal here does not fail the write.
void copyAttributes(int fd, const QByteArray& path)
{
    struct stat old {};
    if (::stat(path.constData(), &old) != 0)
        return;
    if (::geteuid() == 0)
        ::fchown(fd, old.st_uid, old.st_gid);
    // The set-id bits belong to the old owner and group: a file that did not
    // get both (the learner's own new file, a folder's group) must not carry them.
    struct stat made {};
    const bool ownerKept = ::fstat(fd, &made) == 0 && made.st_uid == old.st_uid && made.st_gid == old.st_gid;
    ::fchmod(fd, old.st_mode & (ownerKept ? 07777 : 0777));
}

// After a rename the folder holds the new name only once the folder itself
// reaches the disk. The rename is done by then and cannot be taken back, so a
// folder that cannot be synced leaves the change as it stands.
void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

namespace SafeFileWriter {

bool mayReplace(const QByteArray& path)
{
    struct stat info {};
    if (::stat(path.constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode) || !writableByPermission(path, info))
            return false;
    } else if (errno != ENOENT) {
        return false;
    }
    const QByteArray folder = folderOf(path);
    struct stat folderInfo {};
    return ::stat(folder.constData(), &folderInfo) == 0 && S_ISDIR(folderInfo.st_mode)
        && writableByPermission(folder, folderInfo);
}

QByteArray finalTarget(const QByteArray& path)
{
    QByteArray current = path;
    for (int hop = 0; hop < 40; ++hop) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.constData(), target, sizeof target - 1);
        if (length < 0)
            return current;
        QByteArray next(target, length);
        current = next.startsWith('/') ? next : folderOf(current) + "/" + next;
    }
    return current;
}

// The new bytes reach the disk before the rename, so that a power cut leaves
// either the old file or the new one, never an empty one.
bool replaceContents(const QByteArray& path, const std::string& bytes)
{
    QByteArray temporary;
    const int fd = createBeside(path, temporary);
    if (fd < 0)
        return false;
    bool written = writeAll(fd, bytes);
    if (written) {
        // The attributes come after the bytes: a write by anyone but root
        // takes the set-id bits off the file.
        copyAttributes(fd, path);
        written = ::fsync(fd) == 0;
    }
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.constData(), path.constData()) == 0) {
        syncFolder(folderOf(path));
        return true;
    }
    ::unlink(temporary.constData());
    return false;
}

}  // namespace SafeFileWriter

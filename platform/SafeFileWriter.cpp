#include "SafeFileWriter.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

mode_t modeForNewFile()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Gives the fresh file the permissions (and, for root, the owner) of the file it replaces.
bool copyAttributes(int fd, const QByteArray& path)
{
    struct stat old {};
    if (::stat(path.constData(), &old) != 0)
        return ::fchmod(fd, modeForNewFile()) == 0;
    if (::geteuid() == 0 && ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return false;
    return ::fchmod(fd, old.st_mode & 07777) == 0;
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

bool replaceContents(const QByteArray& path, const std::string& bytes)
{
    const qsizetype slash = path.lastIndexOf('/');
    QByteArray temporary = folderOf(path) + "/." + path.mid(slash + 1) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes) && copyAttributes(fd, path);
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.constData(), path.constData()) == 0)
        return true;
    ::unlink(temporary.constData());
    return false;
}

}  // namespace SafeFileWriter

// The safe write as the system sees it: this test program puts its own fsync,
// rename and umask in front of the C library's to note what the writer asks
// of the system, in order.
#include <dlfcn.h>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SafeFileWriter.h"

namespace {

bool recording = false;
bool fsyncFails = false;
std::vector<std::string> events;

template <typename Function>
Function next(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int fd)
{
    if (recording) {
        struct stat info {};
        ::fstat(fd, &info);
        events.push_back(S_ISDIR(info.st_mode) ? "sync folder" : "sync new file");
        if (fsyncFails) {
            errno = EIO;
            return -1;
        }
    }
    return next<int (*)(int)>("fsync")(fd);
}

extern "C" int rename(const char* from, const char* to) noexcept
{
    if (recording)
        events.push_back("rename");
    return next<int (*)(const char*, const char*)>("rename")(from, to);
}

extern "C" mode_t umask(mode_t mask) noexcept
{
    if (recording)
        events.push_back("umask");
    return next<mode_t (*)(mode_t)>("umask")(mask);
}

namespace {

struct DurabilityCase {
    const char* name;
    bool existing;
    bool fsyncFails;
    std::vector<std::string> events;
    QByteArray contents;
    mode_t mode;
};

TEST(SafeFileWriter, NewBytesReachTheDiskBeforeTheRenameAndTheFolderAfter)
{
    const std::vector<std::string> complete = {"sync new file", "rename", "sync folder"};
    const QList<DurabilityCase> cases = {
        {"new file, made as the umask says", false, false, complete, "new", 0640},
        {"existing file keeps its bits", true, false, complete, "new", 0604},
        {"a file that cannot reach the disk is not renamed", true, true, {"sync new file"}, "old", 0604},
    };
    for (const DurabilityCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("bm.ini")));
        if (c.existing) {
            QFile old(QFile::decodeName(path));
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old");
            old.close();
            ::chmod(path.constData(), 0604);
        }
        const mode_t userMask = ::umask(027);
        events.clear();
        fsyncFails = c.fsyncFails;
        recording = true;
        const bool replaced = SafeFileWriter::replaceContents(path, "new");
        recording = false;
        ::umask(userMask);
        EXPECT_EQ(replaced, !c.fsyncFails);
        EXPECT_EQ(events, c.events);
        QFile file(QFile::decodeName(path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().toStdString(), c.contents.toStdString());
        struct stat info {};
        ::stat(path.constData(), &info);
        EXPECT_EQ(info.st_mode & 07777, c.mode);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file left behind";
    }
}

}  // namespace

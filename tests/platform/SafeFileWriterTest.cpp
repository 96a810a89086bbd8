// The safe write as the system sees it: this program puts its own fsync,
// rename and umask in front of the C library's to note, in order, what the
// writer asks of the system.
#include <dlfcn.h>
#include <cerrno>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "SafeFileWriter.h"

namespace {

bool recording = false;
bool fsyncFails = false;
std::vector<std::string> events;

// The C library's own function of that name.
template <typename Function>
Function next(const char* name) { return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name)); }

}  // namespace

extern "C" int fsync(int fd)
{
    struct stat info {};
    if (recording && ::fstat(fd, &info) == 0)
        events.push_back(S_ISDIR(info.st_mode) ? "sync folder" : "sync new file");
    if (recording && fsyncFails)
        return errno = EIO, -1;
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

TEST(SafeFileWriter, NewBytesReachTheDiskBeforeTheRenameAndTheFolderAfter)
{
    const std::vector<std::string> complete = {"sync new file", "rename", "sync folder"};
    const struct {
        bool existing, fsyncFails;
        std::vector<std::string> events;
        std::string contents;
        mode_t mode;
    } cases[] = {
        {false, false, complete, "new", 0640},         // a new file is made as the umask says
        {true, false, complete, "new", 0604},          // an old file's bits are kept
        {true, true, {"sync new file"}, "old", 0604},  // bytes that cannot reach the disk are not renamed
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("bm.ini")));
        if (c.existing) {
            ASSERT_TRUE(SafeFileWriter::replaceContents(path, "old"));
            ::chmod(path.constData(), 0604);
        }
        const mode_t userMask = ::umask(027);
        events.clear();
        fsyncFails = c.fsyncFails;
        recording = true;
        EXPECT_EQ(SafeFileWriter::replaceContents(path, "new"), !c.fsyncFails);
        recording = false;
        ::umask(userMask);
        EXPECT_EQ(events, c.events);
        QFile file(QFile::decodeName(path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll().toStdString(), c.contents);
        struct stat info {};
        ::stat(path.constData(), &info);
        EXPECT_EQ(info.st_mode & 07777, c.mode);
    }
}

// Another user's save gives them a file of their own, which must not carry
// the set-id bits that would run with their rights; a file that keeps its
// owner and group keeps them.
TEST(SafeFileWriter, KeepsSetIdBitsOnlyWithTheSameOwnerAndGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "saving as another user needs root";
    constexpr uid_t kSaver = 65534;
    constexpr gid_t kSaversGroup = 65534;
    const struct {
        const char* name;
        uid_t owner;
        gid_t group;
        mode_t expected;
    } cases[] = {
        {"another user's file", 0, 0, 0666},
        {"another group's file", kSaver, 0, 0666},
        {"the saver's own file", kSaver, kSaversGroup, 06666},
    };
    QTemporaryDir dir;
    ::chmod(QFile::encodeName(dir.path()).constData(), 0777);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray path = QFile::encodeName(dir.path() + QStringLiteral("/setid.ini"));
        QFile::remove(dir.path() + QStringLiteral("/setid.ini"));
        QFile file(dir.path() + QStringLiteral("/setid.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        ASSERT_EQ(::chown(path.constData(), c.owner, c.group), 0);
        ASSERT_EQ(::chmod(path.constData(), 06666), 0);
        const pid_t saver = ::fork();
        if (saver == 0) {
            const bool becameSaver = ::setgroups(0, nullptr) == 0 && ::setgid(kSaversGroup) == 0 && ::setuid(kSaver) == 0;
            ::_exit(becameSaver && SafeFileWriter::replaceContents(path, "new") ? 0 : 1);
        }
        int status = -1;
        ::waitpid(saver, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save as another user failed";
        struct stat saved {};
        ASSERT_EQ(::stat(path.constData(), &saved), 0);
        EXPECT_EQ(saved.st_mode & 07777, c.expected);
    }
}

}  // namespace

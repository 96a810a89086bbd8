#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sys/wait.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "AppError.h"
#include "IniStore.h"

namespace {

const QString kMarker = QStringLiteral("\u00A7ERROR\u00A7");

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Expects the write to fail with the store's message and the file to stay as it was.
void expectRefusedWrite(IniStore& store, const QString& path, const QByteArray& before)
{
    try {
        store.write(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("new"));
        FAIL() << "the write should have been refused";
    } catch (const AppError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("Unable to write to ") + path);
    }
    EXPECT_EQ(contentsOf(path), before);
}

class IniStoreTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.path() + u'/' + name; }
    QTemporaryDir dir;
    IniStore store;
};

TEST_F(IniStoreTest, MissingFileGivesDefaultsAndTheMarkerUnchanged)
{
    store.open(path(QStringLiteral("absent.ini")));
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("-1")), QStringLiteral("-1"));
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("dflt   ")), QStringLiteral("dflt"));
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("k"), kMarker), kMarker);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("absent.ini"))));
}

// Names come from the first section of the name, trimmed and in lower case.
TEST_F(IniStoreTest, KeyNamesOfTheFirstSectionOfTheName)
{
    const QString file = path(QStringLiteral("keys.ini"));
    writeFile(file, "[Other]\r\nx=1\r\n[ main ]\r\n  Img1 = a\r\nurl1=\r\n\xC9t\xE9=2\r\n[MAIN]\r\nimg2=b\r\n");
    store.open(file);
    EXPECT_EQ(store.keyNames(QStringLiteral("Main")),
              (QStringList{QStringLiteral("img1"), QStringLiteral("url1"), QStringLiteral("\u00E9t\u00E9")}));
    EXPECT_TRUE(store.keyNames(QStringLiteral("Absent")).isEmpty());
    store.open(path(QStringLiteral("absent.ini")));
    EXPECT_TRUE(store.keyNames(QStringLiteral("Main")).isEmpty());
}

// A character the code page lacks turns the file into UTF-8, every character kept.
TEST_F(IniStoreTest, TextCrossesAsWindows1252UntilItCannot)
{
    const QString file = path(QStringLiteral("cp.ini"));
    writeFile(file, "[S]\r\nname=Caf\xE9 \x80\r\nmarker=\xA7" "ERROR\xA7\r\n");
    store.open(file);
    EXPECT_EQ(store.read(QStringLiteral("s"), QStringLiteral("NAME"), QString()), QStringLiteral("Caf\u00E9 \u20AC"));
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("marker"), QString()), kMarker);
    store.write(QStringLiteral("S"), QStringLiteral("out"), QStringLiteral("\u00E9\u4E2D"));
    store.close();
    EXPECT_EQ(contentsOf(file), QByteArray("\xEF\xBB\xBF[S]\r\nname=Caf\xC3\xA9 \xE2\x82\xAC\r\nmarker=\xC2\xA7" "ERROR\xC2\xA7\r\n"
                                           "out=\xC3\xA9\xE4\xB8\xAD\r\n"));
    store.open(file);
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("marker"), QString()), kMarker);
}

TEST_F(IniStoreTest, WritesCreateTheFileAndKeepLineBreaksOfOtherLines)
{
    const QString file = path(QStringLiteral("bm.ini"));
    store.open(file);
    store.write(QStringLiteral("vid3"), QStringLiteral("numBm"), QStringLiteral("1"));
    store.write(QStringLiteral("vid3"), QStringLiteral("bm1"), QStringLiteral("  intro"));
    store.write(QStringLiteral("vid3"), QStringLiteral("val1"), QStringLiteral("12.5"));
    EXPECT_EQ(store.read(QStringLiteral("vid3"), QStringLiteral("bm1"), QString()), QStringLiteral("intro"));
    EXPECT_FALSE(QFile::exists(file)) << "changes reach the file when the operation closes it";
    store.close();
    EXPECT_EQ(contentsOf(file), QByteArray("[vid3]\r\nnumBm=1\r\nbm1=intro\r\nval1=12.5\r\n"));
    store.open(file);
    store.erase(QStringLiteral("VID3"));
    store.erase(QStringLiteral("nothing"));
    store.close();
    EXPECT_EQ(contentsOf(file), QByteArray(""));
    {
        IniStore dropped;
        dropped.open(file);
        dropped.write(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
    }
    EXPECT_EQ(contentsOf(file), QByteArray("[S]\r\nk=v\r\n")) << "a store going away writes what it holds";
}

TEST_F(IniStoreTest, AValueCannotAddLinesToTheFile)
{
    const QString file = path(QStringLiteral("inject.ini"));
    store.open(file);
    store.write(QStringLiteral("S"), QStringLiteral("bm1"), QStringLiteral("a\r\n[T]\nnumBm=99"));
    store.close();
    EXPECT_EQ(contentsOf(file), QByteArray("[S]\r\nbm1=a  [T] numBm=99\r\n"));
    EXPECT_EQ(store.read(QStringLiteral("T"), QStringLiteral("numBm"), QStringLiteral("0")), QStringLiteral("0"));
}

TEST_F(IniStoreTest, SeesChangesMadeByOthersBetweenReads)
{
    const QString file = path(QStringLiteral("shared.ini"));
    writeFile(file, "[S]\r\nk=1\r\n");
    store.open(file);
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("k"), QString()), QStringLiteral("1"));
    writeFile(file, "[S]\r\nk=22\r\n");
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("k"), QString()), QStringLiteral("22"));
    QFile::remove(file);
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("gone")), QStringLiteral("gone"));
}

TEST_F(IniStoreTest, RefusedWritesRaiseAndLeaveTheFileAsItWas)
{
    const QString readOnly = path(QStringLiteral("ro.ini"));
    writeFile(readOnly, "[S]\r\nk=old\r\n");
    ::chmod(QFile::encodeName(readOnly).constData(), 0444);
    store.open(readOnly);
    expectRefusedWrite(store, readOnly, "[S]\r\nk=old\r\n");
    EXPECT_THROW(store.erase(QStringLiteral("S")), AppError);
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("k"), QString()), QStringLiteral("old"));

    const QString missingFolder = path(QStringLiteral("no/such/folder.ini"));
    store.open(missingFolder);
    expectRefusedWrite(store, missingFolder, "<unreadable>");

    QDir(dir.path()).mkdir(QStringLiteral("afolder"));
    const QString folder = path(QStringLiteral("afolder"));
    store.open(folder);
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
    expectRefusedWrite(store, folder, "<unreadable>");

    const QString pipe = path(QStringLiteral("pipe.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    store.open(pipe);
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"))
        << "a pipe is not read, so reading cannot hang";
    EXPECT_THROW(store.write(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")), AppError);
    EXPECT_FALSE(QFileInfo(pipe).isFile());

    QDir(dir.path()).mkdir(QStringLiteral("locked"));
    const QString inLocked = path(QStringLiteral("locked/b.ini"));
    writeFile(inLocked, "[S]\r\nk=old\r\n");
    ::chmod(QFile::encodeName(path(QStringLiteral("locked"))).constData(), 0555);
    store.open(inLocked);
    expectRefusedWrite(store, inLocked, "[S]\r\nk=old\r\n");
    ::chmod(QFile::encodeName(path(QStringLiteral("locked"))).constData(), 0755);
}

TEST_F(IniStoreTest, KeepsPermissionsAndWritesThroughSymbolicLinks)
{
    const QString target = path(QStringLiteral("real.ini"));
    const QString link = path(QStringLiteral("link.ini"));
    writeFile(target, "[S]\r\nk=1\r\n");
    ::chmod(QFile::encodeName(target).constData(), 0640);
    ASSERT_EQ(::symlink("real.ini", QFile::encodeName(link).constData()), 0);
    store.open(link);
    store.write(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("2"));
    store.close();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(contentsOf(target), QByteArray("[S]\r\nk=2\r\n"));
    struct stat info {};
    ::stat(QFile::encodeName(target).constData(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// A write cut off half-way (here by the file size limit) must leave the old file whole.
TEST_F(IniStoreTest, InterruptedWriteLeavesTheFileWhole)
{
    const QString file = path(QStringLiteral("whole.ini"));
    const QByteArray before = "[S]\r\nk=short\r\n";
    writeFile(file, before);
    store.open(file);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    store.write(QStringLiteral("S"), QStringLiteral("k"), QString(10000, u'x'));
    EXPECT_THROW(store.close(), AppError);
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(contentsOf(file), before);
    store.open(file);
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("k"), QString()), QStringLiteral("short"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file left behind";
}

TEST_F(IniStoreTest, DiscardedChangesNeverReachTheFile)
{
    const QString file = path(QStringLiteral("discard.ini"));
    writeFile(file, "[S]\r\nk=old\r\n");
    store.open(file);
    store.erase(QStringLiteral("S"));
    store.write(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("half"));
    store.discard();
    EXPECT_EQ(store.read(QStringLiteral("S"), QStringLiteral("k"), QString()), QStringLiteral("old"));
    store.close();
    EXPECT_EQ(contentsOf(file), QByteArray("[S]\r\nk=old\r\n"));
}

}  // namespace

namespace {

// Another process takes a lease on the file, so that an open of it waits
// until the lease is given up after waitMs; -1 when the system gives none.
pid_t holdLease(const QString& path, int waitMs)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const QByteArray native = QFile::encodeName(path);
    const pid_t holder = ::fork();
    if (holder == 0) {
        ::signal(SIGIO, SIG_IGN);  // the lease holder is told of the waiting open this way
        const int fd = ::open(native.constData(), O_RDONLY);
        const char answer = fd >= 0 && ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0 ? 'y' : 'n';
        (void)::write(ready[1], &answer, 1);
        ::usleep(static_cast<useconds_t>(waitMs) * 1000);
        ::_exit(0);
    }
    char answer = 'n';
    (void)::read(ready[0], &answer, 1);
    ::close(ready[0]);
    ::close(ready[1]);
    if (answer == 'y')
        return holder;
    ::waitpid(holder, nullptr, 0);
    return -1;
}

}  // namespace

// A signal whose handler does not restart calls arrives while the open of
// the file for a change waits: the open is made again, the file is read
// whole and the change rests on it.
TEST_F(IniStoreTest, AnOpenInterruptedByASignalIsMadeAgain)
{
    struct sigaction quiet {};
    quiet.sa_handler = [](int) {};
    struct sigaction before {};
    ASSERT_EQ(::sigaction(SIGUSR1, &quiet, &before), 0);
    const QString file = path(QStringLiteral("leased.ini"));
    writeFile(file, "[S]\r\nk=1\r\n");
    const pid_t holder = holdLease(file, 400);
    if (holder < 0)
        GTEST_SKIP() << "no file leases here";
    const pthread_t reader = ::pthread_self();
    std::thread interrupter([reader] {
        for (int k = 0; k < 3; ++k) {
            std::this_thread::sleep_for(std::chrono::milliseconds(60));
            ::pthread_kill(reader, SIGUSR1);
        }
    });
    try {
        IniStore interrupted;
        interrupted.open(file);
        interrupted.write("S", "j", "2");
        interrupted.close();
    } catch (const AppError& error) {
        ADD_FAILURE() << error.text().toStdString();
    }
    interrupter.join();
    ::waitpid(holder, nullptr, 0);
    ::sigaction(SIGUSR1, &before, nullptr);
    EXPECT_EQ(contentsOf(file), "[S]\r\nk=1\r\nj=2\r\n");
}

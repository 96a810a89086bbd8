#include <gtest/gtest.h>

#include <thread>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TestApplication.h"
#include "progress/CourseIdentity.h"
#include "progress/ProgressFile.h"
#include "progress/ProgressStore.h"

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(path.section(u'/', 0, -2));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList setAside(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.set-aside-*")}, QDir::Files);
}

struct UnusableFile {
    const char* name;
    QByteArray bytes;
    bool unreadable = false;
};

class UnusableProgressFile : public testing::TestWithParam<UnusableFile> {};

// The course starts afresh and the file's bytes stay, under another name.
TEST_P(UnusableProgressFile, IsSetAsideAndTheCourseStartsAfresh)
{
    if (GetParam().unreadable && ::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    QTemporaryDir folder;
    const ProgressFile file(folder.filePath(QStringLiteral("progress-x.txt")));
    write(file.path(), GetParam().bytes);
    if (GetParam().unreadable)
        QFile::setPermissions(file.path(), QFileDevice::WriteOwner);
    EXPECT_EQ(file.read(), CourseProgress{});
    EXPECT_FALSE(QFile::exists(file.path()));
    const QStringList aside = setAside(folder.path());
    ASSERT_EQ(aside.size(), 1);
    QFile::setPermissions(folder.filePath(aside.first()), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(contents(folder.filePath(aside.first())), GetParam().bytes);
    EXPECT_TRUE(file.apply({CourseProgress{2, 5.0, {}}, {1}, {}}));
    EXPECT_EQ(file.read(), (CourseProgress{2, 5.0, {1}}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnusableProgressFile,
    testing::Values(UnusableFile{"NotOurs", "[vid1]\nnumBm=0\n"},
                    UnusableFile{"Empty", ""},
                    UnusableFile{"Newer", "tovrelle-progress 2\nlesson=3\n"},
                    UnusableFile{"LessonNotANumber", "tovrelle-progress 1\nlesson=three\n"},
                    UnusableFile{"NegativePlace", "tovrelle-progress 1\nlesson=3\nposition=-4\n"},
                    UnusableFile{"PlaceNotANumber", "tovrelle-progress 1\nposition=nan\n"},
                    UnusableFile{"WatchedLessonZero", "tovrelle-progress 1\nwatched=1 0 2\n"},
                    UnusableFile{"Truncated", "tovrelle-progr"},
                    UnusableFile{"TooLarge", "tovrelle-progress 1\n" + QByteArray(70000, '\n')},
                    UnusableFile{"Unreadable", "tovrelle-progress 1\nlesson=3\n", true}),
    [](const auto& info) { return std::string(info.param.name); });

// Two copies of the program on one course: each change lands on the file as
// it is then, so neither loses the other's watched lessons, and the file is
// whole at every moment.
TEST(ProgressFile, TwoCopiesLoseNothingOfEachOther)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("progress-x.txt"));
    const auto copy = [&path](std::int32_t first) {
        const ProgressFile file(path);
        for (std::int32_t lesson = first; lesson < first + 40; ++lesson)
            ASSERT_TRUE(file.apply({CourseProgress{lesson, 1.5, {}}, {lesson}, {}}));
    };
    std::thread one(copy, 1);
    std::thread other(copy, 101);
    for (int look = 0; look < 200; ++look)
        ASSERT_TRUE(!QFile::exists(path) || contents(path).startsWith("tovrelle-progress 1\n"));
    one.join();
    other.join();
    const CourseProgress progress = ProgressFile(path).read();
    EXPECT_EQ(progress.watched.size(), 80u);
    EXPECT_TRUE(setAside(folder.path()).isEmpty());
    // A mark taken off in one copy stays off, whatever the other wrote before.
    ASSERT_TRUE(ProgressFile(path).apply({std::nullopt, {}, {5}}));
    EXPECT_FALSE(ProgressFile(path).read().watched.contains(5));
    EXPECT_TRUE(ProgressFile(path).read().watched.contains(6));
}

// A data folder that takes no file (here: gone, as on an unmounted network
// home; a full disk or a read-only folder fails the same write): nothing
// written, no crash; the changes wait and go with the next save once the
// folder takes them.
TEST(ProgressStore, KeepsWhatCannotBeWrittenForTheNextSave)
{
    testApplication();
    QTemporaryDir course;
    QTemporaryDir data;
    const QString folder = data.filePath(QStringLiteral("later"));
    const QString file = folder + u'/' + CourseIdentity::progressFileName(
        CourseIdentity::of(course.filePath(QStringLiteral("qel.ini")), course.filePath(QStringLiteral("Media"))));
    {
        ProgressStore store;
        store.open({course.filePath(QStringLiteral("qel.ini")), course.filePath(QStringLiteral("Media")), folder},
                   false, [](const CourseProgress&) {});
        store.save({std::nullopt, {3}, {}});
        store.flush();
        EXPECT_FALSE(QFile::exists(file));
        QDir().mkpath(folder);
        store.save({CourseProgress{4, 20.0, {}}, {}, {}});
    }
    EXPECT_EQ(ProgressFile(file).read(), (CourseProgress{4, 20.0, {3}}));
}

struct CoursePair {
    const char* name;
    std::function<void(const QString& other)> change;  // made to a copy of the course
    bool same;
};

class CourseIdentityTest : public testing::TestWithParam<CoursePair> {
protected:
    static void makeCourse(const QString& folder)
    {
        write(folder + QStringLiteral("/qel.ini"), "[Full]\r\nnumLessons=2\r\nbookmark=course.ini\r\n");
        write(folder + QStringLiteral("/Media/vid_01.avi"), "lesson one");
        write(folder + QStringLiteral("/Media/vid_02.avi"), "lesson two, longer");
        write(folder + QStringLiteral("/Media/main_bk.jpg"), "picture");
    }
    static QString identity(const QString& folder)
    {
        return CourseIdentity::of(folder + QStringLiteral("/qel.ini"), folder + QStringLiteral("/Media"));
    }
};

TEST_P(CourseIdentityTest, KnowsACourseByWhatItIs)
{
    QTemporaryDir root;
    const QString course = root.filePath(QStringLiteral("media/cdrom"));
    const QString other = root.filePath(QStringLiteral("home/learner/COURSE"));
    makeCourse(course);
    makeCourse(other);
    GetParam().change(other);
    EXPECT_EQ(identity(course) == identity(other), GetParam().same);
}

void rename(const QString& folder, const char* from, const char* to)
{
    QFile::rename(folder + QLatin1String(from), folder + QLatin1String(to));
}

INSTANTIATE_TEST_SUITE_P(
    Courses, CourseIdentityTest,
    testing::Values(
        CoursePair{"AnotherMountPoint", [](const QString&) {}, true},
        CoursePair{"CopiedWithOtherLetterCase", [](const QString& other) { rename(other, "/Media/vid_01.avi", "/Media/VID_01.AVI"); }, true},
        CoursePair{"CaptionsAdded", [](const QString& other) { write(other + "/Media/vid_01.srt", "1\n"); }, true},
        CoursePair{"OtherSettings", [](const QString& other) { write(other + "/qel.ini", "[Full]\r\nnumLessons=2\r\nbookmark=other.ini\r\n"); }, false},
        CoursePair{"NoSettings", [](const QString& other) { QFile::remove(other + "/qel.ini"); }, false},
        CoursePair{"OtherLessonLength", [](const QString& other) { write(other + "/Media/vid_02.avi", "lesson two, shorter!"); }, false},
        CoursePair{"OneLessonMore", [](const QString& other) { write(other + "/Media/vid_03.avi", "three"); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// The course and the data folder on a disc that fails reads: nothing is
// taken for a shorter file, and no bookmark of any lesson is lost.
#include <functional>

#include <QJsonArray>

#include "BookmarkFixture.h"
#include "FaultDisc.h"

namespace {

class DiscFaults : public BookmarkFixture {
protected:
    void SetUp() override
    {
        harness.course.writeLessonCourse(true);
        harness.course.writeFile(QStringLiteral("data/course.ini"), kSaved);
        harness.course.writeFile(QStringLiteral("Sponsors/sp.dat"), "[Main]\r\nnum=1\r\nimg1=a.gif\r\nurl1=x\r\n");
        disc = std::make_unique<FaultDisc>(harness.course.dir());
        if (!disc->usable())
            GTEST_SKIP() << "no FUSE here (/dev/fuse and fusermount needed)";
        harness.dataFolder = disc->path() + QStringLiteral("/data");
    }

    static inline const QByteArray kSaved = "[vid0]\r\nnumBm=2\r\nbm1=a\r\nval1=1\r\nbm2=b\r\nval2=2\r\n"
                                            "[vid2]\r\nnumBm=1\r\nbm1=c\r\nval1=3\r\n[vid3]\r\nnumBm=1\r\nbm1=d\r\nval1=4\r\n";
    std::unique_ptr<FaultDisc> disc;
};

// The lesson shows no bookmarks, the next Add says the file cannot be
// written, and every lesson's bookmarks stay byte for byte.
TEST_F(DiscFaults, ABookmarkFileThatFailsPartWayIsNeitherShownShortNorWrittenOver)
{
    disc->setFaults({{"fail_reads", QJsonObject{{"data/course.ini", 40}}}});
    startWindow(disc->path() + u'/');
    expectBookmarks({}, {});
    addBookmark(QStringLiteral("new"), 5);
    EXPECT_EQ(harness.errors, QStringList{QStringLiteral("Unable to write to %1/data/course.ini.").arg(disc->path())});
    EXPECT_EQ(fileBytes(), kSaved);

    disc->setFaults({});
    harness.errors.clear();
    w->loadBookmarks();
    expectBookmarks({"a", "b"}, {"1", "2"});
    EXPECT_TRUE(harness.errors.isEmpty());
}

// A course file that is there but cannot be read ends start-up with a box
// naming it, as a broken skin picture does; the window opens as it stands.
TEST_F(DiscFaults, ACourseFileThatCannotBeReadEndsStartUpWithItsName)
{
    const char* files[] = {"qel.ini", "Sponsors/sp.dat"};
    for (const char* file : files) {
        SCOPED_TRACE(file);
        disc->setFaults({{"fail_reads", QJsonObject{{file, 12}}}});
        harness.errors.clear();
        harness.startAt(disc->path() + u'/');
        EXPECT_EQ(harness.errors, QStringList{QStringLiteral("Cannot read file %1/%2.").arg(disc->path(), file)});
        EXPECT_TRUE(harness.video->openedPaths.isEmpty()) << "start-up went on";
    }
}

// Another copy of the program saves the file between this window's look at
// the lesson and its own change. Whether the disc shows the new stamp or,
// like a network home's attribute cache, the old one, what the other copy
// saved stays, and the lists show the section as written.
TEST_F(DiscFaults, WhatAnotherCopySavedStaysAfterThisOneChangesTheFile)
{
    const QByteArray otherLessons = "[vid2]\r\nnumBm=1\r\nbm1=c\r\nval1=3\r\n[vid3]\r\nnumBm=1\r\nbm1=d\r\nval1=4\r\n";
    const struct {
        const char* name;
        bool staleStamp;
        QByteArray savedByOther;
        std::function<void()> change;
        QStringList names;
        QStringList positions;
        QByteArray expected;
    } cases[] = {
        {"same lesson, a bookmark renamed to the same size, old stamp", true,
         "[vid0]\r\nnumBm=2\r\nbm1=z\r\nval1=1\r\nbm2=b\r\nval2=2\r\n" + otherLessons,
         [&] { addBookmark(QStringLiteral("new"), 5); }, {"z", "b", "new"}, {"1", "2", "5"},
         otherLessons + "[vid0]\r\nnumBm=3\r\nbm1=z\r\nval1=1\r\nbm2=b\r\nval2=2\r\nbm3=new\r\nval3=5\r\n"},
        {"same lesson, a bookmark added, new stamp", false,
         "[vid0]\r\nnumBm=3\r\nbm1=a\r\nval1=1\r\nbm2=b\r\nval2=2\r\nbm3=o\r\nval3=7\r\n" + otherLessons,
         [&] { addBookmark(QStringLiteral("new"), 5); }, {"a", "b", "o", "new"}, {"1", "2", "7", "5"},
         otherLessons + "[vid0]\r\nnumBm=4\r\nbm1=a\r\nval1=1\r\nbm2=b\r\nval2=2\r\nbm3=o\r\nval3=7\r\n"
                        "bm4=new\r\nval4=5\r\n"},
        {"another lesson added, old stamp", true, kSaved + "[vid5]\r\nnumBm=1\r\nbm1=e\r\nval1=6\r\n",
         [&] { addBookmark(QStringLiteral("new"), 5); }, {"a", "b", "new"}, {"1", "2", "5"},
         otherLessons + "[vid5]\r\nnumBm=1\r\nbm1=e\r\nval1=6\r\n"
                        "[vid0]\r\nnumBm=3\r\nbm1=a\r\nval1=1\r\nbm2=b\r\nval2=2\r\nbm3=new\r\nval3=5\r\n"},
        {"same lesson, one removed there and one here, old stamp", true,
         "[vid0]\r\nnumBm=1\r\nbm1=b\r\nval1=2\r\n" + otherLessons, [&] { removeRow(1); }, {}, {},
         otherLessons + "[vid0]\r\nnumBm=0\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        disc->setFaults({});
        harness.course.writeFile(QStringLiteral("data/course.ini"), kSaved);
        if (c.staleStamp)
            disc->setFaults({{"stale_stamps", QJsonArray{"data/course.ini"}}});
        harness.errors.clear();
        startWindow(disc->path() + u'/');
        expectBookmarks({"a", "b"}, {"1", "2"});
        harness.course.writeFile(QStringLiteral("data/course.ini"), c.savedByOther);
        c.change();
        EXPECT_EQ(fileBytes(), c.expected);
        expectBookmarks(c.names, c.positions);
        EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
    }
}

}  // namespace

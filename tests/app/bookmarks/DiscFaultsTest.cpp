// The course and the data folder on a disc that fails reads: nothing is
// taken for a shorter file, and no bookmark of any lesson is lost.
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

}  // namespace

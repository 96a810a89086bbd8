#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "CourseFolder.h"

namespace {

// A course beside a folder it must never reach:
//   outside/secret.txt
//   course/Media/Frel_Mabr.htm, course/Media/pics/Logo.JPG, course/Sponsors/index.htm
//   course/Sponsors/away -> ../../outside (a folder link leading out)
//   course/Sponsors/secret.htm -> ../../outside/secret.txt (a file link leading out)
//   course/Sponsors/home.htm -> ../Media/Frel_Mabr.htm (a link that stays inside)
class CourseFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root_.isValid());
        const QDir root(root_.path());
        for (const char* folder : {"outside", "course/Media/pics", "course/Sponsors"})
            ASSERT_TRUE(root.mkpath(folder));
        for (const char* file : {"outside/secret.txt", "course/Media/Frel_Mabr.htm", "course/Media/pics/Logo.JPG",
                                 "course/Sponsors/index.htm"}) {
            QFile f(root.filePath(file));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QFile::link("../../outside", root.filePath("course/Sponsors/away")));
        ASSERT_TRUE(QFile::link("../../outside/secret.txt", root.filePath("course/Sponsors/secret.htm")));
        ASSERT_TRUE(QFile::link("../Media/Frel_Mabr.htm", root.filePath("course/Sponsors/home.htm")));
    }

    QString course() const { return root_.filePath("course"); }

    QTemporaryDir root_;
};

struct AddressCase {
    const char* address;
    const char* file;  // inside the course; null: none
};

TEST_F(CourseFolderTest, AnAddressNamesAFileInsideTheCourseOrNone)
{
    const CourseFolder folder(course());
    const AddressCase rows[] = {
        {"tovrelle://course/Media/Frel_Mabr.htm", "Media/Frel_Mabr.htm"},
        {"tovrelle://course/MEDIA/frel_mabr.HTM", "Media/Frel_Mabr.htm"},
        {"tovrelle://course/media/PICS/logo.jpg", "Media/pics/Logo.JPG"},
        {"tovrelle://course/Sponsors/index.htm?tab=2#top", "Sponsors/index.htm"},
        {"tovrelle://course/Sponsors/home.htm", "Media/Frel_Mabr.htm"},
        {"tovrelle://course/Media%2FFrel_Mabr.htm", "Media/Frel_Mabr.htm"},
        // Climbing out, plainly or escaped, and links that lead out.
        {"tovrelle://course/../outside/secret.txt", nullptr},
        {"tovrelle://course/Media/%2e%2e/%2E%2E/outside/secret.txt", nullptr},
        {"tovrelle://course/Media/..%2F..%2Foutside%2Fsecret.txt", nullptr},
        {"tovrelle://course/Media/..%5C..%5Coutside%5Csecret.txt", nullptr},
        {"tovrelle://course/Sponsors/away/secret.txt", nullptr},
        {"tovrelle://course/Sponsors/secret.htm", nullptr},
        {"tovrelle://course//etc/passwd", nullptr},
        {"tovrelle://course/Media/Frel_Mabr.htm%00.jpg", nullptr},
        // Folders, missing files and addresses of other kinds.
        {"tovrelle://course/", nullptr},
        {"tovrelle://course/Media", nullptr},
        {"tovrelle://course/Media/missing.htm", nullptr},
        {"tovrelle://elsewhere/Media/Frel_Mabr.htm", nullptr},
        {"file:///etc/passwd", nullptr},
    };
    const QString real = QDir(course()).canonicalPath() + u'/';
    for (const AddressCase& row : rows) {
        const QUrl address(QString::fromUtf8(row.address));
        const QString expected = row.file ? real + QString::fromUtf8(row.file) : QString();
        EXPECT_EQ(folder.fileAt(address), expected) << row.address;
    }
}

TEST_F(CourseFolderTest, OnlyPathsInsideTheCourseHaveAnAddress)
{
    const CourseFolder folder(course() + u'/');
    const struct {
        QString path;
        const char* address;  // "": none
    } rows[] = {
        {course() + "/Media/Frel_Mabr.htm", "tovrelle://course/Media/Frel_Mabr.htm"},
        {course() + "/Media/../Sponsors/index.htm", "tovrelle://course/Sponsors/index.htm"},
        {course() + "/Sponsors/a b#1%.htm", "tovrelle://course/Sponsors/a%20b%231%25.htm"},
        {course() + "/../outside/secret.txt", ""},
        {course() + "-other/page.htm", ""},
        {course(), ""},
        {"/etc/passwd", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(folder.addressOf(row.path).toString(QUrl::FullyEncoded), QString::fromUtf8(row.address))
            << row.path.toStdString();
    // An address made for a file names that file again.
    const QString page = course() + "/Sponsors/index.htm";
    EXPECT_EQ(folder.fileAt(folder.addressOf(page)), QFileInfo(page).canonicalFilePath());
}

}  // namespace

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "CourseFolder.h"

namespace {

// A course beside a secret it must never reach, with links leading out of it
// (Sponsors/away, Sponsors/secret.htm) and one staying inside (Sponsors/home.htm).
TEST(CourseFolder, AnAddressNamesAFileInsideTheCourseOrNone)
{
    QTemporaryDir dir;
    const QDir root(dir.path());
    for (const char* folder : {"outside", "course/Media/pics", "course/Sponsors"})
        ASSERT_TRUE(root.mkpath(folder));
    for (const char* file : {"outside/secret.txt", "course/Media/Frel_Mabr.htm", "course/Media/pics/Logo.JPG"})
        ASSERT_TRUE(QFile(root.filePath(file)).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link("../../outside", root.filePath("course/Sponsors/away")));
    ASSERT_TRUE(QFile::link("../../outside/secret.txt", root.filePath("course/Sponsors/secret.htm")));
    ASSERT_TRUE(QFile::link("../Media/Frel_Mabr.htm", root.filePath("course/Sponsors/home.htm")));
    const CourseFolder folder(root.filePath("course"));

    const struct {
        const char* address;
        const char* file;  // inside the course; null: none
    } rows[] = {
        {"tovrelle://course/Media/Frel_Mabr.htm", "Media/Frel_Mabr.htm"},
        {"tovrelle://course/MEDIA/frel_mabr.HTM?tab=2#top", "Media/Frel_Mabr.htm"},
        {"tovrelle://course/media/PICS/logo.jpg", "Media/pics/Logo.JPG"},
        {"tovrelle://course/Sponsors/home.htm", "Media/Frel_Mabr.htm"},
        {"tovrelle://course/../outside/secret.txt", nullptr},
        {"tovrelle://course/Media/%2e%2e/%2E%2E/outside/secret.txt", nullptr},
        {"tovrelle://course/Media/..%2F..%2Foutside%2Fsecret.txt", nullptr},
        {"tovrelle://course/Media/..%5C..%5Coutside%5Csecret.txt", nullptr},
        {"tovrelle://course/Sponsors/away/secret.txt", nullptr},
        {"tovrelle://course/Sponsors/secret.htm", nullptr},
        {"tovrelle://course//etc/passwd", nullptr},
        {"tovrelle://course/Media/Frel_Mabr.htm%00.jpg", nullptr},
        {"tovrelle://course/Media", nullptr},
        {"tovrelle://course/Media/missing.htm", nullptr},
        {"tovrelle://elsewhere/Media/Frel_Mabr.htm", nullptr},
        {"file:///etc/passwd", nullptr},
    };
    const QString real = QDir(folder.folder()).canonicalPath() + u'/';
    for (const auto& row : rows)
        EXPECT_EQ(folder.fileAt(QUrl(row.address)), row.file ? real + row.file : QString()) << row.address;

    // Only paths inside the course have an address, and it names them again.
    const QString page = folder.folder() + "/Media/../Media/a b#1%.htm";
    EXPECT_EQ(folder.addressOf(page).toString(QUrl::FullyEncoded), "tovrelle://course/Media/a%20b%231%25.htm");
    for (const QString& elsewhere : {folder.folder() + "/../outside/secret.txt", folder.folder() + "-2/a.htm",
                                     folder.folder(), QStringLiteral("/etc/passwd")})
        EXPECT_TRUE(folder.addressOf(elsewhere).isEmpty()) << elsewhere.toStdString();
}

}  // namespace

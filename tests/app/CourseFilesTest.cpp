// Course files that are not what their names say, against every reader of a
// course file: each reads them as a file that cannot be read, with its own
// message, without waiting on them and without reading outside the course.
#include <sys/stat.h>

#include <functional>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "AppError.h"
#include "AppPaths.h"
#include "CaptionFile.h"
#include "CourseFiles.h"
#include "GIFImage.h"
#include "IniStore.h"
#include "JpegDecoder.h"
#include "MciError.h"
#include "TestApplication.h"
#include "WaveFile.h"

namespace {

using Refusal = CourseFiles::Refusal;

struct Hostile {
    const char* name;
    const char* relativePath;  // as the course names it
    std::function<void(const QString& path, const QString& outside)> make;
    Refusal refusal;
};

QString errorOf(const std::function<void()>& read)
try {
    read();
    return QString();
} catch (const AppError& error) {
    return error.text();
}

// What each reader makes of a file the gate refuses for a reason.
void expectEveryReaderRefuses(const QString& path, Refusal refusal)
{
    EXPECT_EQ(CourseFiles::read(path, CourseFiles::Kind::Picture).refusal, refusal);
    testApplication();
    TGIFImage banner;
    EXPECT_FALSE(banner.LoadFromFile(path));
    EXPECT_TRUE(banner.Empty());
    EXPECT_EQ(errorOf([&] { JpegDecoder::decodeFile(path); }), "Cannot open file " + path);
    IniStore settings;
    settings.open(path, IniStore::Access::ReadCourseFile);
    // The store takes what is no regular file, where a link leads, for no file.
    const bool readsAsMissing = !QFileInfo(path).isFile();
    QString value;
    EXPECT_EQ(errorOf([&] { value = settings.read("Main", "num", "0"); }), readsAsMissing ? QString() : "Cannot read file " + path);
    EXPECT_EQ(value, readsAsMissing ? "0" : QString());
    EXPECT_EQ(checkWaveFile(path), refusal == Refusal::TooLarge ? MciError::InvalidFile : MciError::FileNotFound);
    EXPECT_FALSE(path.endsWith(".srt") && CaptionFile::besideClip(path.chopped(4) + ".avi").has_value());
}

TEST(CourseFiles, EveryReaderRefusesWhatIsNotAPlainFileOfTheCourse)
{
    const auto fifo = [](const QString& path, const QString&) { ::mkfifo(QFile::encodeName(path).constData(), 0600); };
    const auto device = [](const QString& path, const QString&) { QFile::link("/dev/zero", path); };
    const auto linkOut = [](const QString& path, const QString& outside) { QFile::link(outside, path); };
    const auto huge = [](const QString& path, const QString&) { QFile f(path); f.open(QIODevice::WriteOnly) && f.resize(4LL << 30); };
    const auto folder = [](const QString& path, const QString&) { QDir().mkpath(path); };
    const auto nothing = [](const QString&, const QString&) {};
    const Hostile cases[] = {
        {"BannerAsPipe", "Sponsors\\banner1.gif", fifo, Refusal::NotRegular},
        {"CaptionsAsPipe", "Media\\vid_01.srt", fifo, Refusal::NotRegular},
        {"LinkToEndlessDevice", "Sponsors\\banner1.gif", device, Refusal::OutsideCourse},
        {"LinkOutOfTheCourse", "Media\\vid_01.srt", linkOut, Refusal::OutsideCourse},
        {"SparseFileOfFourGiB", "Sponsors\\banner1.gif", huge, Refusal::TooLarge},
        {"NameClimbingOut", "Sponsors\\..\\..\\outside.gif", nothing, Refusal::OutsideCourse},
        {"Folder", "Media\\main_bk.jpg", folder, Refusal::NotRegular},
        {"Missing", "Sponsors\\banner2.gif", nothing, Refusal::Missing},
    };
    for (const Hostile& hostile : cases) {
        SCOPED_TRACE(hostile.name);
        QTemporaryDir work;
        const QString course = work.filePath("course");
        const QString outside = work.filePath("outside.gif");
        QFile secret(outside);
        ASSERT_TRUE(secret.open(QIODevice::WriteOnly) && secret.write("GIF89a secret beside the course") > 0);
        secret.close();
        ASSERT_TRUE(QDir().mkpath(course + "/Media") && QDir().mkpath(course + "/Sponsors"));
        const CourseFiles::Confinement confinement(course);
        const QString path = AppPaths(course).nativePath(QString::fromLatin1(hostile.relativePath));
        hostile.make(path, outside);
        expectEveryReaderRefuses(path, hostile.refusal);
    }
}

// What the course holds as it says is read whole, also through a link that
// stays inside the course.
TEST(CourseFiles, PlainFilesOfTheCourseAreRead)
{
    QTemporaryDir course;
    QFile file(course.filePath("sp.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("[Main]\r\nnum=1\r\n") > 0);
    file.close();
    QFile::link(course.filePath("sp.dat"), course.filePath("copy.dat"));
    const CourseFiles::Confinement confinement(course.path());
    for (const char* name : {"sp.dat", "copy.dat"})
        EXPECT_EQ(CourseFiles::read(course.filePath(name), CourseFiles::Kind::Settings).bytes, "[Main]\r\nnum=1\r\n") << name;
}

}  // namespace

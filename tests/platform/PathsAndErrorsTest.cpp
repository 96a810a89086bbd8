#include <cerrno>
#include <cstdlib>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "AppError.h"
#include "AppPaths.h"
#include "Codepage1252.h"
#include "DataFolder.h"
#include "ErrorReporting.h"
#include "QtErrorBox.h"

namespace {

class RecordingBox : public ErrorBox {
public:
    void showError(const QString& caption, const QString& text) override { shown << caption + u'|' + text; }
    QStringList shown;
};

TEST(AppPathsTest, FormsNativePathsAndMatchesNamesWithoutRegardToCase)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("MEDIA/Sub"));
    QFile(dir.path() + QStringLiteral("/MEDIA/Main_BK.JPG")).open(QIODevice::WriteOnly);
    const AppPaths paths(dir.path());
    EXPECT_EQ(paths.directory(), dir.path() + u'/');
    EXPECT_EQ(paths.nativePath(QStringLiteral("Media\\main_bk.jpg")), dir.path() + QStringLiteral("/MEDIA/Main_BK.JPG"));
    EXPECT_EQ(paths.nativePath(QStringLiteral("media\\sub")), dir.path() + QStringLiteral("/MEDIA/Sub"));
    EXPECT_EQ(paths.nativePath(QStringLiteral("Media\\missing\\x.avi")), dir.path() + QStringLiteral("/MEDIA/missing/x.avi"));
    EXPECT_EQ(paths.nativePath(QStringLiteral("Sponsors\\sp.dat")), dir.path() + QStringLiteral("/Sponsors/sp.dat"));
}

TEST(ErrorReportingTest, CaptionsWithTheTitleAndAddsAFullStopAfterLaterCharacters)
{
    EXPECT_EQ(programTitleFor(QStringLiteral("/opt/x/tovrelle")), QStringLiteral("Tovrelle"));
    EXPECT_EQ(programTitleFor(QStringLiteral("/opt/x/CD_QUORVATE.bin.old")), QStringLiteral("Cd_quorvate"));
    EXPECT_EQ(ErrorReporting::withClosingStop(QStringLiteral("Cannot open file /a/b.jpg")), QStringLiteral("Cannot open file /a/b.jpg."));
    EXPECT_EQ(ErrorReporting::withClosingStop(QStringLiteral("'' is not a valid integer value")), QStringLiteral("'' is not a valid integer value."));
    EXPECT_EQ(ErrorReporting::withClosingStop(QStringLiteral("Done.")), QStringLiteral("Done."));
    EXPECT_EQ(ErrorReporting::withClosingStop(QStringLiteral("ends in (")), QStringLiteral("ends in ("));
    EXPECT_EQ(ErrorReporting::withClosingStop(QStringLiteral("ends in -")), QStringLiteral("ends in -"));
    EXPECT_EQ(ErrorReporting::withClosingStop(QStringLiteral("path/")), QStringLiteral("path/."));
    EXPECT_EQ(ErrorReporting::withClosingStop(QString()), QString());

    RecordingBox box;
    ErrorReporting::install(&box, QStringLiteral("Tovrelle"));
    bool after = false;
    runGuarded([] { throw AppError(QStringLiteral("No MCI device open")); });
    runGuarded([] { throw std::runtime_error("plain"); });
    runGuarded([&] { after = true; });
    ErrorReporting::install(nullptr, QString());
    EXPECT_EQ(box.shown, QStringList({QStringLiteral("Tovrelle|No MCI device open."), QStringLiteral("Tovrelle|plain.")}));
    EXPECT_TRUE(after);
}

TEST(DataFolderTest, CreatesTheFolderOrRaisesTheSystemMessage)
{
    QTemporaryDir dir;
    const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + QStringLiteral("/data")));
    UserDataFolder folder;
    EXPECT_EQ(folder.locate(), dir.path() + QStringLiteral("/data/tovrelle"));
    EXPECT_TRUE(QFileInfo(dir.path() + QStringLiteral("/data/tovrelle")).isDir());

    QFile(dir.path() + QStringLiteral("/file")).open(QIODevice::WriteOnly);
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + QStringLiteral("/file")));
    try {
        folder.locate();
        FAIL();
    } catch (const AppError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("Not a directory"));
    }
    qputenv("XDG_DATA_HOME", oldHome);
    EXPECT_EQ(systemMessage(ENOENT), QStringLiteral("No such file or directory"));
}

TEST(Codepage1252Test, RoundTripsEveryByteAndReplacesForeignCharacters)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(Codepage1252::encode(Codepage1252::decode(all)), all);
    EXPECT_EQ(Codepage1252::decode("\x80\x9F\xA7"), QStringLiteral("\u20AC\u0178\u00A7"));
    EXPECT_EQ(Codepage1252::encode(QStringLiteral("a\u4E2D\U0001F600b")), QByteArray("a??b"));
}

}  // namespace

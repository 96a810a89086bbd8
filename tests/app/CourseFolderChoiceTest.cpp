#include <optional>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "CourseFolderChoice.h"
#include "ErrorReporting.h"

namespace {

// Gives the folders a test scripts, one per question, and records where each question started.
class ScriptedChooser : public FolderChooser {
public:
    QStringList answers;
    QStringList startFolders;

    QString chooseFolder(const QString& startFolder) override
    {
        startFolders << startFolder;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

// A course, a folder without one, a file, an empty program folder and the
// configuration, all in one temporary folder.
class CourseFolderChoiceTest : public testing::Test, public ErrorBox {
protected:
    CourseFolderChoiceTest()
    {
        QDir(root()).mkpath(QStringLiteral("course/Media"));
        QDir(root()).mkpath(QStringLiteral("plain"));
        QDir(root()).mkpath(QStringLiteral("bin"));
        QFile(path("notes.txt")).open(QIODevice::WriteOnly);
        ErrorReporting::install(this, QStringLiteral("Tovrelle"));
    }
    ~CourseFolderChoiceTest() override { ErrorReporting::install(nullptr, QString()); }

    void showError(const QString&, const QString& text) override { errors << text; }

    QString root() const { return folder_.path(); }
    QString path(const char* relative) const { return root() + u'/' + QString::fromUtf8(relative); }

    std::optional<QString> choose(const std::optional<QString>& given, const char* programFolder = "bin")
    {
        return CourseFolderChoice(remembered, chooser, path(programFolder) + u'/').choose(given);
    }

    QTemporaryDir folder_;
    RememberedCourse remembered{folder_.path() + QStringLiteral("/config/tovrelle/tovrelle.conf")};
    ScriptedChooser chooser;
    QStringList errors;
};

TEST_F(CourseFolderChoiceTest, OpensAndRemembersTheCourseGivenAndRefusesEverythingElse)
{
    struct Row {
        QString given;
        std::optional<QString> opened;
        QString error;
    };
    const QString course = path("course");
    const Row rows[] = {
        {course, course, {}},
        {course + QStringLiteral("/"), course, {}},
        {path("plain"), std::nullopt, QStringLiteral("The folder %1 holds no course: it has no Media folder.").arg(path("plain"))},
        {path("notes.txt"), std::nullopt, QStringLiteral("%1 is a file, not a course folder.").arg(path("notes.txt"))},
        {path("gone"), std::nullopt, QStringLiteral("The course folder %1 does not exist.").arg(path("gone"))},
        {QString(), std::nullopt, QStringLiteral("An empty name is not a course folder.")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.given.toStdString());
        QFile::remove(remembered.configFile());
        errors.clear();
        EXPECT_EQ(choose(row.given), row.opened);
        EXPECT_EQ(errors, row.error.isEmpty() ? QStringList() : QStringList{row.error});
        EXPECT_EQ(remembered.folder(), row.opened.value_or(QString()));
        // A refused folder writes nothing at all.
        EXPECT_EQ(QFileInfo::exists(remembered.configFile()), row.opened.has_value());
    }
    EXPECT_TRUE(chooser.startFolders.isEmpty());
}

TEST_F(CourseFolderChoiceTest, GivenRelativePathsAndOtherLetterCaseAreCourses)
{
    QDir(root()).mkpath(QStringLiteral("disc/MEDIA"));
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(root());
    EXPECT_EQ(choose(QStringLiteral("disc")), path("disc"));
    QDir::setCurrent(oldCurrent);
    EXPECT_EQ(remembered.folder(), path("disc"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(CourseFolderChoiceTest, WithoutAFolderTheCourseBesideTheProgramComesFirstAndIsNotRemembered)
{
    remembered.remember(path("plain"));
    EXPECT_EQ(choose(std::nullopt, "course"), path("course") + u'/');
    EXPECT_EQ(remembered.folder(), path("plain"));
    EXPECT_TRUE(chooser.startFolders.isEmpty());
}

TEST_F(CourseFolderChoiceTest, WithoutAFolderTheRememberedCourseOpensWithoutAsking)
{
    remembered.remember(path("course"));
    EXPECT_EQ(choose(std::nullopt), path("course"));
    EXPECT_TRUE(chooser.startFolders.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(CourseFolderChoiceTest, TheChooserAsksAgainAfterAFolderWithoutACourse)
{
    chooser.answers = {path("plain"), path("course")};
    EXPECT_EQ(choose(std::nullopt), path("course"));
    EXPECT_EQ(chooser.startFolders, QStringList({QString(), path("plain")}));
    EXPECT_EQ(errors, QStringList{QStringLiteral("The folder %1 holds no course: it has no Media folder.").arg(path("plain"))});
    EXPECT_EQ(remembered.folder(), path("course"));
}

TEST_F(CourseFolderChoiceTest, ACancelledChooserOpensNothingAndWritesNothing)
{
    EXPECT_EQ(choose(std::nullopt), std::nullopt);
    EXPECT_EQ(chooser.startFolders.size(), 1);
    EXPECT_FALSE(QFileInfo::exists(remembered.configFile()));
}

TEST_F(CourseFolderChoiceTest, ARememberedCourseThatIsGoneIsAskedForAgainWhereItWas)
{
    QDir(root()).mkpath(QStringLiteral("old/Media"));
    remembered.remember(path("old"));
    QDir(path("old")).removeRecursively();
    chooser.answers = {path("course")};
    EXPECT_EQ(choose(std::nullopt), path("course"));
    EXPECT_EQ(chooser.startFolders, QStringList{path("old")});
    EXPECT_EQ(remembered.folder(), path("course"));
}

}  // namespace

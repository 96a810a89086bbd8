#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "RememberedCourse.h"

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Sets an environment variable for one scope and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedVariable()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

TEST(RememberedCourseTest, KeepsTheFolderInTheUsersConfiguration)
{
    QTemporaryDir dir;
    {
        ScopedVariable config("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + QStringLiteral("/conf")));
        EXPECT_EQ(RememberedCourse::forUser().configFile(), dir.path() + QStringLiteral("/conf/tovrelle/tovrelle.conf"));
    }
    ScopedVariable relative("XDG_CONFIG_HOME", "conf");
    ScopedVariable home("HOME", QFile::encodeName(dir.path()));
    const RememberedCourse remembered = RememberedCourse::forUser();
    EXPECT_EQ(remembered.configFile(), dir.path() + QStringLiteral("/.config/tovrelle/tovrelle.conf"));
    EXPECT_EQ(remembered.folder(), QString());

    const QString course = QStringLiteral("/media/Курс Übung/course=2");
    ASSERT_TRUE(remembered.remember(course));
    EXPECT_EQ(contentsOf(remembered.configFile()), "course=" + course.toUtf8() + '\n');
    EXPECT_EQ(remembered.folder(), course);
}

TEST(RememberedCourseTest, AFolderThatCannotBeKeptLeavesTheFileAsItWas)
{
    QTemporaryDir dir;
    const RememberedCourse remembered(dir.path() + QStringLiteral("/tovrelle.conf"));
    ASSERT_TRUE(remembered.remember(QStringLiteral("/courses/one")));
    EXPECT_FALSE(remembered.remember(QStringLiteral("/courses/two\n/etc")));
    EXPECT_FALSE(remembered.remember(QString()));
    EXPECT_EQ(remembered.folder(), QStringLiteral("/courses/one"));

    QFile(dir.path() + QStringLiteral("/file")).open(QIODevice::WriteOnly);
    const RememberedCourse underAFile(dir.path() + QStringLiteral("/file/tovrelle/tovrelle.conf"));
    EXPECT_FALSE(underAFile.remember(QStringLiteral("/courses/one")));
    EXPECT_EQ(underAFile.folder(), QString());

    ScopedVariable config("XDG_CONFIG_HOME", QByteArray());
    ScopedVariable home("HOME", QByteArray());
    const RememberedCourse nowhere = RememberedCourse::forUser();
    EXPECT_FALSE(nowhere.remember(QStringLiteral("/courses/one")));
    EXPECT_EQ(nowhere.folder(), QString());
}

}  // namespace

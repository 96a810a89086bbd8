#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "RememberedCourse.h"
#include "UserSettings.h"

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Each setting has its line; writing one keeps the others, whichever came first.
TEST(UserSettings, WritingOneSettingKeepsTheOthers)
{
    QTemporaryDir folder;
    const UserSettings settings(folder.filePath("tovrelle/tovrelle.conf"));
    const RememberedCourse course(settings.file());
    EXPECT_FALSE(settings.value("captions").has_value());
    ASSERT_TRUE(settings.setValue("captions", "off"));
    ASSERT_TRUE(course.remember(QStringLiteral("/courses/one")));
    ASSERT_TRUE(settings.setValue("captions", "on"));
    ASSERT_TRUE(course.remember(QStringLiteral("/courses/captions=off")));
    EXPECT_EQ(contentsOf(settings.file()), "captions=on\ncourse=/courses/captions=off\n");
    EXPECT_EQ(settings.value("captions"), QByteArray("on"));
    EXPECT_EQ(course.folder(), QStringLiteral("/courses/captions=off"));

    EXPECT_FALSE(settings.setValue("captions", "on\ncourse=/etc"));
    EXPECT_EQ(course.folder(), QStringLiteral("/courses/captions=off")) << "a line break is refused";
    EXPECT_FALSE(UserSettings(QString()).setValue("captions", "off"));
    EXPECT_FALSE(UserSettings(QString()).value("captions").has_value());
}

}  // namespace

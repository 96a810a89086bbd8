#include "RememberedCourse.h"

#include <QFile>

namespace {

constexpr char kCourseKey[] = "course";

}  // namespace

RememberedCourse::RememberedCourse(QString configFile) : settings_(std::move(configFile)) {}

RememberedCourse RememberedCourse::forUser()
{
    return RememberedCourse(UserSettings::forUser().file());
}

QString RememberedCourse::folder() const
{
    return QFile::decodeName(settings_.value(kCourseKey).value_or(QByteArray()));
}

bool RememberedCourse::remember(const QString& folder) const
{
    const QByteArray path = QFile::encodeName(folder);
    return !path.isEmpty() && settings_.setValue(kCourseKey, path);
}

#include "RegionalSettings.h"

#include <clocale>

#include <QString>
#include <QtCore/private/qcoreapplication_p.h>

namespace {

QChar currentDecimalSeparator()
{
    const std::lconv* conventions = std::localeconv();
    if (!conventions || !conventions->decimal_point || !*conventions->decimal_point)
        return u'.';
    const QString point = QString::fromLocal8Bit(conventions->decimal_point);
    return point.isEmpty() ? QChar(u'.') : point.front();
}

}  // namespace

SystemRegionalSettings::SystemRegionalSettings() : separator_(currentDecimalSeparator()) {}

SystemRegionalSettings SystemRegionalSettings::settleProcessLocale()
{
    QCoreApplicationPrivate::initLocale();
    SystemRegionalSettings users;
    std::setlocale(LC_NUMERIC, "C");
    return users;
}

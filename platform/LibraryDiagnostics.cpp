#include "LibraryDiagnostics.h"

#include <QLoggingCategory>

void quietLibraryDiagnostics()
{
    // "default" holds what the libraries print without a category of their own.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.*.info=false\n"
                                                    "qt.*.warning=false\n"
                                                    "default.info=false\n"
                                                    "default.warning=false"));
}

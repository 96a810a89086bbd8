#include "QuotedValue.h"

namespace {

constexpr qsizetype kLongestQuoted = 200;

}  // namespace

QString quotedValue(const QString& value)
{
    return cutShort(value, kLongestQuoted);
}

QString cutShort(const QString& value, qsizetype longest)
{
    if (value.size() <= longest)
        return value;
    qsizetype kept = longest - 1;
    // A character outside the basic plane is never cut in half.
    if (value[kept - 1].isHighSurrogate())
        --kept;
    return value.left(kept) + u'\u2026';
}

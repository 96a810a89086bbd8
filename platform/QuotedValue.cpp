#include "QuotedValue.h"

namespace {

constexpr qsizetype kLongestQuoted = 200;

}  // namespace

QString quotedValue(const QString& value)
{
    if (value.size() <= kLongestQuoted)
        return value;
    qsizetype kept = kLongestQuoted - 1;
    // A character outside the basic plane is never cut in half.
    if (value[kept - 1].isHighSurrogate())
        --kept;
    return value.left(kept) + u'\u2026';
}

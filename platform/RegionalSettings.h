#pragma once

#include <QChar>

// The user's regional number format. The real one reads LC_NUMERIC of the C
// library (the program calls setlocale(LC_ALL, "") at start); tests put a
// fixed separator in its place.
class RegionalSettings {
public:
    virtual ~RegionalSettings() = default;
    virtual QChar decimalSeparator() const = 0;
};

// Reads the separator from the C library's current numeric locale.
class SystemRegionalSettings final : public RegionalSettings {
public:
    QChar decimalSeparator() const override;
};

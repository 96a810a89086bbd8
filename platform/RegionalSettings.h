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

// The separator of the C library's numeric locale as it stands when this is
// made. Made after the application set the user's locale and before the video
// player, which needs the C library's own numeric format and sets it.
class SystemRegionalSettings final : public RegionalSettings {
public:
    SystemRegionalSettings();
    QChar decimalSeparator() const override { return separator_; }

private:
    QChar separator_;
};

#pragma once

#include <QChar>

// The user's regional number format. The real one reads LC_NUMERIC of the C
// library; tests put a fixed separator in its place.
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

    // Settles the C library's locale for the whole process at program entry,
    // before any thread starts (setlocale is unsafe while other threads read
    // the locale): the user's locale from the environment, taken as the
    // toolkit takes it so that the application does not set it again, with
    // numbers in the C library's own format, which the video player needs.
    // Returns the user's number format, read in between.
    static SystemRegionalSettings settleProcessLocale();

    QChar decimalSeparator() const override { return separator_; }

private:
    QChar separator_;
};

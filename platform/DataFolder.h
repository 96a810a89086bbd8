#pragma once

#include <QString>

// The per-user folder where the program keeps what it writes (the bookmark
// file). It takes the place of the system folder the bookmarks lived in.
class DataFolder {
public:
    virtual ~DataFolder() = default;
    // The folder's path without a trailing separator, created when missing.
    // Raises an AppError with the system's message when it cannot be had.
    virtual QString locate() = 0;
};

// $XDG_DATA_HOME/tovrelle, or ~/.local/share/tovrelle.
class UserDataFolder final : public DataFolder {
public:
    QString locate() override;
};

// A per-user base folder: the absolute path in the environment variable
// (XDG_DATA_HOME, XDG_CONFIG_HOME), else the home folder followed by
// underHome; empty when neither is known.
QString userBaseFolder(const char* variable, const char* underHome);

// The system's message for an error number, without trailing blanks, control
// characters and full stops.
QString systemMessage(int errorNumber);

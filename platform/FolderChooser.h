#pragma once

#include <QString>

// Asks the learner for a folder. The real one is the desktop's folder
// chooser; tests put a scripted one in its place.
class FolderChooser {
public:
    virtual ~FolderChooser() = default;
    // The folder chosen, or an empty text when the learner cancels.
    // startFolder: where the chooser opens; empty for the home folder.
    virtual QString chooseFolder(const QString& startFolder) = 0;
};

// The desktop's folder chooser (through the platform theme where one is installed).
class QtFolderChooser final : public FolderChooser {
public:
    QString chooseFolder(const QString& startFolder) override;
};

#include "FolderChooser.h"

#include <QDir>
#include <QFileDialog>

QString QtFolderChooser::chooseFolder(const QString& startFolder)
{
    // Without a place to start, the chooser opens in the home folder, as desktop choosers do.
    const QString start = startFolder.isEmpty() ? QDir::homePath() : startFolder;
    return QFileDialog::getExistingDirectory(nullptr, QStringLiteral("Choose the course folder"), start,
                                             QFileDialog::ShowDirsOnly);
}

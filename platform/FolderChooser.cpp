#include "FolderChooser.h"

#include <QFileDialog>

QString QtFolderChooser::chooseFolder(const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(nullptr, QStringLiteral("Choose the course folder"), startFolder,
                                             QFileDialog::ShowDirsOnly);
}

#include "QtErrorBox.h"

#include <QFileInfo>
#include <QMessageBox>

void QtErrorBox::showError(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    // The text quotes course values, addresses and file names: markup in them
    // is shown as typed, and a link in them is no link.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString programTitleFor(const QString& executablePath)
{
    QString name = QFileInfo(executablePath).fileName();
    const qsizetype stop = name.indexOf(u'.');
    if (stop >= 0)
        name.truncate(stop);
    if (name.isEmpty())
        return name;
    return name.left(1).toUpper() + name.mid(1).toLower();
}

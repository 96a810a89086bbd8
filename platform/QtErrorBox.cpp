#include "QtErrorBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include "QuotedValue.h"

namespace {

// A box shows this much of a text at most, so that no value can fill the
// screen with one box.
constexpr qsizetype kLongestShown = 400;

}  // namespace

void QtErrorBox::showError(const QString& caption, const QString& text)
{
    const QPointer<QWidget> focused = QApplication::focusWidget();
    QWidget* parent = owner_ ? owner_.data() : QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, caption, cutShort(text, kLongestShown), QMessageBox::Ok, parent);
    // The text quotes course values, addresses and file names: markup in them
    // is shown as typed, and a link in them is no link.
    box.setTextFormat(Qt::PlainText);
    box.exec();
    if (focused && focused->isVisible()) {
        focused->activateWindow();
        focused->setFocus(Qt::OtherFocusReason);
    }
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

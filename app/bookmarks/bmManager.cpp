#include "bmManager.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

#include "CD_Quorvate1.h"
#include "ErrorReporting.h"
#include "ProgramFont.h"
#include "accessible/SpokenNotice.h"
#include "controls/DropDownList.h"

namespace {

constexpr int kClientWidth = 238;
constexpr int kClientHeight = 212;

template <class Control>
Control* placed(Control* control, int left, int top, int width, int height)
{
    control->setGeometry(left, top, width, height);
    return control;
}

void nameControls(std::initializer_list<std::pair<QWidget*, const char*>> controls)
{
    for (const auto& [control, name] : controls)
        control->setObjectName(QString::fromLatin1(name));
}

}  // namespace

TfrmBm::TfrmBm()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmBm"));
    setWindowTitle(QStringLiteral("Bookmark Manager"));
    setFont(programFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFixedSize(kClientWidth, kClientHeight);
    move(576, 158);
    buildControls();
    connect(btnAddBm, &QPushButton::clicked, this, [this] { runGuarded([this] { btnAddBmClick(); }); });
    connect(btnBmRmClick, &QPushButton::clicked, this, [this] { runGuarded([this] { btnBmRmClickClick(); }); });
}

// Created in tab order: the name, Add, the list, Remove Selected. Neither
// button answers Enter or Esc.
void TfrmBm::buildControls()
{
    Label1 = placed(new QLabel(QStringLiteral("Bookmark Name:"), this), 10, 7, 82, 13);
    // The label sizes itself to its text, so a face a few pixels wider than
    // the one the dialog was drawn with never cuts the text off.
    Label1->resize(std::max(Label1->width(), Label1->sizeHint().width()), Label1->height());
    txtNewBm = placed(new QLineEdit(this), 9, 27, 162, 21);
    btnAddBm = placed(new QPushButton(QStringLiteral("Add"), this), 174, 27, 54, 19);
    bmList = placed(new QListWidget(this), 8, 50, 220, 135);
    bmList->setSelectionMode(QAbstractItemView::SingleSelection);
    setItemHeight(bmList, TDropDownList::ItemHeight);
    btnBmRmClick = placed(new QPushButton(QStringLiteral("Remove Selected"), this), 9, 187, 220, 19);
    nameControls({{Label1, "Label1"}, {txtNewBm, "txtNewBm"}, {btnAddBm, "btnAddBm"}, {bmList, "bmList"},
                  {btnBmRmClick, "btnBmRmClick"}});
    // What a screen reader says for each.
    txtNewBm->setAccessibleName(QStringLiteral("Bookmark name"));
    btnAddBm->setAccessibleName(QStringLiteral("Add bookmark"));
    bmList->setAccessibleName(QStringLiteral("Bookmarks"));
    btnBmRmClick->setAccessibleName(QStringLiteral("Remove selected bookmark"));
    for (QPushButton* button : {btnAddBm, btnBmRmClick}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

// Adds a bookmark at the video's position under the typed name, as typed:
// it may be empty or repeat another name. The new bookmark is the last.
void TfrmBm::btnAddBmClick()
{
    const QString name = txtNewBm->text();
    const QString position = frmMain_->currentPositionText();
    frmMain_->bookmarkLists().append({{name, position}});
    txtNewBm->clear();
    frmMain_->saveBookmarks();
    SpokenNotice::tell(QStringLiteral("Bookmark %1 added").arg(name));
}

// Removes the selected bookmark. With none selected there is nothing to
// remove, and the file is left alone.
void TfrmBm::btnBmRmClickClick()
{
    const QList<QListWidgetItem*> selected = bmList->selectedItems();
    if (selected.isEmpty())
        return;
    const QString name = selected.first()->text();
    frmMain_->bookmarkLists().remove(bmList->row(selected.first()) + 1);
    frmMain_->saveBookmarks();
    SpokenNotice::tell(QStringLiteral("Bookmark %1 removed").arg(name));
}

void TfrmBm::setMainWindow(TfrmMain* window)
{
    frmMain_ = window;
}

// The window system keeps the dialog over the main window, as its own. The
// main window does not own it: each is destroyed by its maker.
void TfrmBm::showEvent(QShowEvent* event)
{
    if (frmMain_ && frmMain_->windowHandle()) {
        create();
        windowHandle()->setTransientParent(frmMain_->windowHandle());
    }
    QWidget::showEvent(event);
}

// The main window's focus comes back to the control that had it.
void TfrmBm::hideEvent(QHideEvent* event)
{
    if (frmMain_ && QApplication::activeWindow() == this)
        frmMain_->activateWindow();
    QWidget::hideEvent(event);
}

void TfrmBm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        hide();
    else
        QWidget::keyPressEvent(event);
}

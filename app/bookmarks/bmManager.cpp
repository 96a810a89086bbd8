#include "bmManager.h"

#include <QFont>

namespace {

// The dialog's client area and its place on the screen when first shown.
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
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(kClientWidth, kClientHeight);
    move(576, 158);

    Label1 = placed(new QLabel(QStringLiteral("Bookmark Name:"), this), 10, 7, 82, 13);
    txtNewBm = placed(new QLineEdit(this), 9, 27, 162, 21);
    btnAddBm = placed(new QPushButton(QStringLiteral("Add"), this), 174, 27, 54, 19);
    bmList = placed(new QListWidget(this), 8, 50, 220, 135);
    bmList->setSelectionMode(QAbstractItemView::SingleSelection);
    btnBmRmClick = placed(new QPushButton(QStringLiteral("Remove Selected"), this), 9, 187, 220, 19);
    nameControls({{Label1, "Label1"}, {txtNewBm, "txtNewBm"}, {btnAddBm, "btnAddBm"}, {bmList, "bmList"},
                  {btnBmRmClick, "btnBmRmClick"}});
    for (QPushButton* button : {btnAddBm, btnBmRmClick}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

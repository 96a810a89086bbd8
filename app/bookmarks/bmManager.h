#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

// The bookmark manager dialog: a small window of its own, created hidden at
// program start, where bookmarks of the current lesson are added and removed.
// Its close box only hides it.
class TfrmBm : public QWidget {
    Q_OBJECT
public:
    TfrmBm();

    QLabel* Label1 = nullptr;
    QLineEdit* txtNewBm = nullptr;
    QPushButton* btnAddBm = nullptr;
    QListWidget* bmList = nullptr;
    QPushButton* btnBmRmClick = nullptr;
};

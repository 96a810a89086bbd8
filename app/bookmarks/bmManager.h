#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

class TfrmMain;

// The bookmark manager dialog: a small window of its own, created hidden at
// program start, where bookmarks of the main window's current lesson are
// added at the video's position and removed. It never blocks the main
// window; its close box, and Esc, only hide it, keeping its contents.
class TfrmBm : public QWidget {
    Q_OBJECT
public:
    TfrmBm();

    // The window whose lesson the dialog edits; set once, before either is
    // shown. The dialog shows as that window's own, and gives it back the
    // keys when hidden.
    void setMainWindow(TfrmMain* window);

    // Handlers.
    void btnAddBmClick();
    void btnBmRmClickClick();

    QLabel* Label1 = nullptr;
    QLineEdit* txtNewBm = nullptr;
    QPushButton* btnAddBm = nullptr;
    QListWidget* bmList = nullptr;
    QPushButton* btnBmRmClick = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();

    TfrmMain* frmMain_ = nullptr;
};

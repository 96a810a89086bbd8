// The video's placement: the three window-sized views and the full-screen display.
#include "CD_Quorvate1.h"
#include "PlayedClip.h"
#include "accessible/ChangeReporting.h"

void TfrmMain::positionPlayer(int top, int left, int width, int height)
{
    aVidPanel->setGeometry(left, top, width, height);
    ActiveMovie1->resize(width, height);
    MediaPlayer1->move(aVidPanel->x() + 1, aVidPanel->y() + aVidPanel->height() - 94);
    controlPanel->setGeometry(MediaPlayer1->x() + 1, MediaPlayer1->y(), aVidPanel->width() + 1,
                              controlPanel->height());
    ScrollBar1->setGeometry(MediaPlayer1->x() + 314, MediaPlayer1->y(), ActiveMovie1->width() - 313,
                            ScrollBar1->height());
}

void TfrmMain::ActiveMovie1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int, int)
{
    using G = ViewGeometry;
    const ViewGeometry& v = viewGeometry;
    if (screenMode == QStringLiteral("normal") && button == Qt::RightButton) {
        setOuterSize(v[G::MinWindowWidth], v[G::MinWindowHeight]);
        positionPlayer(v[G::MinTop], v[G::MinLeft], v[G::MinWidth], v[G::MinHeight]);
        screenMode = QStringLiteral("min");
    } else if (screenMode == QStringLiteral("normal")) {
        setOuterSize(v[G::MaxWindowWidth], v[G::MaxWindowHeight]);
        positionPlayer(v[G::MaxTop], v[G::MaxLeft], v[G::MaxWidth], v[G::MaxHeight]);
        screenMode = QStringLiteral("max");
    } else {
        setOuterSize(v[G::NormalWindowWidth], v[G::NormalWindowHeight]);
        positionPlayer(v[G::NormalTop], v[G::NormalLeft], v[G::NormalWidth], v[G::NormalHeight]);
        screenMode = QStringLiteral("normal");
    }
    reportAccessibleChanges({ActiveMovie1});
}

// The full-screen window is captioned with the lesson, so that it and the
// program's window can be told apart.
void TfrmMain::ActiveMovie1DblClick()
{
    ActiveMovie1->setFullScreenMode(true);
    if (QWidget* screen = ActiveMovie1->fullScreenWindow()) {
        const QString lesson = PlayedClip::of(*this).title;
        screen->setWindowTitle(lesson.isEmpty() ? windowTitle() : lesson + QStringLiteral(" \u2013 ") + windowTitle());
    }
    reportAccessibleChanges({ActiveMovie1});
}

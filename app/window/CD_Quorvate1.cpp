#include "CD_Quorvate1.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include "ErrorReporting.h"
#include "WindowsDir.h"
#include "accessible/AccessibleControls.h"
#include "accessible/SpokenNotice.h"

namespace {

// The original frame adds 3-pixel borders and a 19-pixel caption to the
// client area; sizes in the layout are outer sizes.
constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 25;

}  // namespace

TfrmMain::TfrmMain(const AppPaths& paths, PlatformServices& services)
    : QWidget(nullptr, Qt::Window), paths_(paths), services_(services)
{
    AccessibleControls::install();
    buildLayout();
    bindHandlers();
    AccessibleControls::nameControls(*this);
    buildKeyboardAccess();
    AccessibleControls::followKeyboardCursors(*this);
    new SpokenNotice(this);
    runGuarded([this] { FormCreate(); });
}

void TfrmMain::bindHandlers()
{
    connect(btnClose, &QPushButton::clicked, this, [this] { runGuarded([this] { btnCloseClick(); }); });
    connect(btnMinimize, &QPushButton::clicked, this, [this] { runGuarded([this] { btnMinimizeClick(); }); });
    ActiveMovie1->OnMouseUp = [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
        runGuarded([&] { ActiveMovie1MouseUp(button, shift, x, y); });
    };
    ActiveMovie1->OnDblClick = [this] { runGuarded([this] { ActiveMovie1DblClick(); }); };
    // A clip that cannot be opened says so at once, not only at the next Play.
    ActiveMovie1->OnOpenFailure = [](const QString& message) { ErrorReporting::reportText(message); };
    bindBookmarkHandlers();
    bindSponsorHandlers();
    bindTabHandlers();
    bindSearchHandlers();
    // The strip and the button bar run their handlers guarded themselves; an
    // error in the bar's handler also skips the bar's own action.
    Image15->OnMouseMove = [this](Qt::KeyboardModifiers shift, int x, int y) { Image15MouseMove(shift, x, y); };
    Image15->OnMouseUp = [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
        Image15MouseUp(button, shift, x, y);
    };
    // The highlight, shown or not, lies over the strip; clicks and the pointer
    // go through it to the lesson rows beneath.
    imgHighlite->setAttribute(Qt::WA_TransparentForMouseEvents);
    MediaPlayer1->OnClick = [this](int button, bool& doDefault) { MediaPlayer1Click(button, doDefault); };
    connect(Timer1, &QTimer::timeout, this, [this] { runGuarded([this] { Timer1Timer(); }); });
    auto* seekBar = new ScrollBarNotifier(ScrollBar1);
    seekBar->OnScroll = [this](TScrollCode code, int pos) { runGuarded([&] { ScrollBar1Scroll(code, pos); }); };
    seekBar->OnChange = [this] { runGuarded([this] { ScrollBar1Change(); }); };
}

QString TfrmMain::mediaPath(const QString& relativePath) const
{
    return paths_.nativePath(relativePath);
}

QSize TfrmMain::outerSize() const
{
    return size() + QSize(kFrameWidth, kFrameHeight);
}

void TfrmMain::setOuterSize(int width, int height)
{
    const QSize client(width - kFrameWidth, height - kFrameHeight);
    if (fixedBorder_)
        setFixedSize(client);
    else
        resize(client);
}

// Restoring the window from the taskbar shows it again; only the first
// showing fills the bookmark list, so a restore keeps what the user did since.
void TfrmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (formShown_)
        return;
    formShown_ = true;
    runGuarded([this] { FormShow(); });
}

// Runs once, when the window is first shown.
void TfrmMain::FormShow()
{
    loadBookmarks();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, the bookmark manager with it;
    // nothing is written.
    event->accept();
    QCoreApplication::quit();
}

void TfrmMain::btnCloseClick()
{
    close();
}

void TfrmMain::btnMinimizeClick()
{
    ActiveMovie1->setFullScreenMode(true);
}

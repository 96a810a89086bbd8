// The program entry: the command line, the application, the course folder,
// the main window, the hidden bookmark manager, the window's place in the
// desktop session (idle inhibition, media controls, speed and captions keys,
// the window's section and play keys), the learner's progress in the course,
// then the message loop.
#include <memory>
#include <optional>

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>

#include "AfterFirstFrame.h"
#include "AppPaths.h"
#include "CaptionsChoice.h"
#include "CD_Quorvate1.h"
#include "CommandLine.h"
#include "CourseFolderChoice.h"
#include "DBusIdleInhibitor.h"
#include "DataFolder.h"
#include "DesktopDoor.h"
#include "DesktopMediaSession.h"
#include "ErrorReporting.h"
#include "FolderChooser.h"
#include "HtmlEngineModule.h"
#include "IdleInhibitorGroup.h"
#include "LazyHtmlEngine.h"
#include "LibraryDiagnostics.h"
#include "progress/LessonProgress.h"
#include "MprisService.h"
#include "QtErrorBox.h"
#include "QtShell.h"
#include "MpvHandle.h"
#include "MpvLibrary.h"
#include "MpvVideoControl.h"
#include "MpvWaveDevice.h"
#include "RegionalSettings.h"
#include "RememberedCourse.h"
#include "SoftwareRendering.h"
#include "SpeedKeys.h"
#include "UserSettings.h"
#include "WaylandIdleInhibitor.h"
#include "WindowKeys.h"
#include "X11ScreenSaverSuspend.h"
#include "bookmarks/bmManager.h"

namespace {

// Loading ahead for the HTML engine on a worker thread waits past the
// introduction's start, so that the first page holds the lesson picture up
// for less.
constexpr int kEnginePreloadDelayMs = 500;

// The window's place in the desktop session: idle inhibition while a lesson
// plays, through the session bus, the X server's saver and the compositor at
// once, as a desktop may heed only one of them, and the media controls of
// panels and keys.
struct DesktopPresence {
    DesktopPresence(TfrmMain& window, const QString& courseName)
        : idleInhibitor{&busInhibitor, &screenSaverSuspend, &compositorInhibitor},
          session(window, courseName, idleInhibitor, mediaSession)
    {
    }

    X11ScreenSaverSuspend screenSaverSuspend;
    DBusIdleInhibitor busInhibitor;
    WaylandIdleInhibitor compositorInhibitor;
    IdleInhibitorGroup idleInhibitor;
    MprisService mediaSession;
    DesktopMediaSession session;
};

}  // namespace

int main(int argc, char* argv[])
{
    quietLibraryDiagnostics();
    // --help and --version need no display, so they are answered before the application exists.
    if (const CommandLine early = CommandLine::parse(CommandLine::argumentsOf(argc, argv)); early.asksInformation())
        return early.answer();
    MpvHandle::prepareProcess();
    SystemRegionalSettings regionalSettings = SystemRegionalSettings::settleProcessLocale();
    keepOpenGlAwayWithoutGraphicsProcessor();
    QApplication application(argc, argv);
    // The desktop matches the window to the menu entry and its icon by these.
    QApplication::setDesktopFileName(QStringLiteral("tovrelle"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tovrelle")));
    const CommandLine commandLine = CommandLine::parse(QApplication::arguments());
    if (commandLine.request() != CommandLine::Request::Run)
        return commandLine.answer();

    QtErrorBox errorBox;
    ErrorReporting::install(&errorBox, programTitleFor(AppPaths::executablePath()));
    RememberedCourse rememberedCourse = RememberedCourse::forUser();
    QtFolderChooser folderChooser;
    const auto course = CourseFolderChoice(rememberedCourse, folderChooser, AppPaths::executableDirectory())
                            .choose(commandLine.courseFolder());
    if (!course)
        return 1;
    UserDataFolder dataFolder;
    QtShell desktop;
    DesktopDoor shell(desktop);
    MpvLibrary::shared().deferLoad();
    HtmlEngineModule htmlEngine(HtmlEngineModule::foldersFor(AppPaths::executableDirectory()), shell, *course);
    PlatformServices services{
        dataFolder,
        regionalSettings,
        [] { return std::make_unique<MpvVideoControl>(); },
        [] { return std::make_unique<MpvWaveDevice>(); },
        // The engine's libraries load, and Chromium and its helper processes
        // start, with the first view that must show a page, not with the window.
        [&htmlEngine] { return std::make_unique<LazyHtmlEngine>([&htmlEngine] { return htmlEngine.start(); }); },
        shell,
    };

    TfrmMain frmMain(AppPaths(*course), services);
    errorBox.setOwner(&frmMain);
    TfrmBm frmBm;
    frmMain.setBookmarkManager(&frmBm);
    SpeedKeys speedKeys(frmMain, *frmMain.ActiveMovie1);
    CaptionsChoice captions(UserSettings::forUser(), frmMain.ActiveMovie1->control());
    speedKeys.onCaptionsKey = [&captions] { captions.toggle(); };
    WindowKeys windowKeys(frmMain);
    LessonProgress progress(frmMain, AppPaths(*course), dataFolder, commandLine.forgetsProgress());
    // The player's library, the session bus and the engine's libraries (for
    // a course with a page among its banners) wait for the first frame; the
    // introduction starts once the player has loaded, and the desktop
    // session then picks up the lesson as it plays.
    std::optional<DesktopPresence> desktopPresence;
    AfterFirstFrame afterFirstFrame(frmMain, [&] {
        MpvLibrary::shared().load();
        desktopPresence.emplace(frmMain, QDir(*course).dirName());
        // Only a banner can bring a page over a playing lesson; the other
        // sections' pages show with the lesson paused and hidden.
        if (frmMain.rotationShowsPages())
            QTimer::singleShot(kEnginePreloadDelayMs, &frmMain, [&htmlEngine] { htmlEngine.preload(); });
    });
    frmMain.show();
    return application.exec();
}

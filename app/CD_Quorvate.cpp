// The program entry: the application, the main window, the hidden bookmark
// manager, then the message loop.
#include <memory>

#include <QApplication>

#include "AppPaths.h"
#include "CD_Quorvate1.h"
#include "DataFolder.h"
#include "ErrorReporting.h"
#include "QtErrorBox.h"
#include "QtHtmlEngine.h"
#include "QtVideoControl.h"
#include "QtWaveDevice.h"
#include "RegionalSettings.h"
#include "SoftwareRendering.h"
#include "bookmarks/bmManager.h"

int main(int argc, char* argv[])
{
    QtHtmlEngine::prepareWebEngine();
    QApplication application(argc, argv);
    useSoftwareRenderingWithoutGpu();

    QtErrorBox errorBox;
    ErrorReporting::install(&errorBox, programTitleFor(AppPaths::executablePath()));
    UserDataFolder dataFolder;
    SystemRegionalSettings regionalSettings;
    PlatformServices services{
        dataFolder,
        regionalSettings,
        [] { return std::make_unique<QtVideoControl>(); },
        [] { return std::make_unique<QtWaveDevice>(); },
        [] { return std::make_unique<QtHtmlEngine>(); },
    };

    TfrmMain frmMain(AppPaths(AppPaths::executableDirectory()), services);
    TfrmBm frmBm;
    frmMain.show();
    return application.exec();
}

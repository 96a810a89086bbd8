// The start-up benchmark's yardstick: the program's window on the same course,
// with the same controls, but plain widgets where the HTML views are, and
// without the HTML engine's libraries. It shows what the window costs without
// the engine. Usage: bare_window COURSE_FOLDER
#include <memory>

#include <QApplication>
#include <QWidget>

#include "AppPaths.h"
#include "CD_Quorvate1.h"
#include "DataFolder.h"
#include "DesktopDoor.h"
#include "QtShell.h"
#include "MpvVideoControl.h"
#include "MpvWaveDevice.h"
#include "RegionalSettings.h"

namespace {

// A view that shows nothing and loads nothing.
class BlankHtmlEngine : public HtmlEngine {
public:
    void navigate(const QString&) override {}
    QString currentAddress() const override { return {}; }
    void applySettings(const HtmlSettings&) override {}
    QWidget* view() override { return view_.get(); }
    void setContextMenuHandler(ContextMenuHandler) override {}

private:
    std::unique_ptr<QWidget> view_ = std::make_unique<QWidget>();
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    UserDataFolder dataFolder;
    SystemRegionalSettings regionalSettings;
    QtShell desktop;
    DesktopDoor shell(desktop);
    PlatformServices services{
        dataFolder,
        regionalSettings,
        [] { return std::make_unique<MpvVideoControl>(); },
        [] { return std::make_unique<MpvWaveDevice>(); },
        [] { return std::make_unique<BlankHtmlEngine>(); },
        shell,
    };
    TfrmMain frmMain(AppPaths(QString::fromLocal8Bit(argv[1])), services);
    frmMain.show();
    return application.exec();
}

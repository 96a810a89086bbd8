#pragma once

#include <memory>
#include <ostream>

#include <QStringList>

#include "AppError.h"
#include "CD_Quorvate1.h"
#include "CourseFixture.h"
#include "ErrorReporting.h"
#include "FakeHtmlEngine.h"
#include "FakeShell.h"
#include "FakeVideoControl.h"
#include "FakeWaveDevice.h"
#include "TestApplication.h"

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '{' << texts.join(QStringLiteral(" | ")).toStdString() << '}';
}

// Everything a main window needs, with fakes for the system: the data folder,
// the regional settings, the player, the sound device, the HTML engines and
// the error box. Creating the window runs its start-up on the fixture course.
class MainWindowHarness : public ErrorBox, public DataFolder, public RegionalSettings {
public:
    MainWindowHarness()
    {
        testApplication();
        ErrorReporting::install(this, QStringLiteral("Tovrelle"));
    }
    ~MainWindowHarness() override { ErrorReporting::install(nullptr, QString()); }

    TfrmMain& start() { return startAt(course.dir()); }

    // The window on the course as seen through another folder (a mount of it).
    TfrmMain& startAt(const QString& courseFolder)
    {
        window = std::make_unique<TfrmMain>(AppPaths(courseFolder), services);
        return *window;
    }

    void showError(const QString&, const QString& text) override { errors << text; }
    QString locate() override
    {
        if (!dataFolderFailure.isEmpty())
            throw AppError(dataFolderFailure);
        return dataFolder.isEmpty() ? course.path(QStringLiteral("data")) : dataFolder;
    }
    QChar decimalSeparator() const override { return separator; }

    // The fake engines behind the window's three views.
    FakeHtmlEngine& adBrowser() const { return engineOf(window->adBrowser); }
    FakeHtmlEngine& frelBrowser() const { return engineOf(window->frelBrowser); }
    FakeHtmlEngine& spBrowser() const { return engineOf(window->spBrowser); }
    static FakeHtmlEngine& engineOf(TEmbeddedWB* view) { return static_cast<FakeHtmlEngine&>(view->engine()); }

    CourseFixture course;
    QStringList errors;
    QString dataFolderFailure;
    QString dataFolder;  // when set, in place of the course's "data" folder
    QChar separator = u'.';
    int waveOpenResult = 0;
    FakeVideoControl* video = nullptr;
    FakeWaveDevice* wave = nullptr;
    FakeShell shell;
    PlatformServices services{
        *this,
        *this,
        [this] {
            auto control = std::make_unique<FakeVideoControl>();
            video = control.get();
            return control;
        },
        [this] {
            auto device = std::make_unique<FakeWaveDevice>();
            device->openResult = waveOpenResult;
            wave = device.get();
            return device;
        },
        [] { return std::make_unique<FakeHtmlEngine>(); },
        shell,
    };
    std::unique_ptr<TfrmMain> window;
};

#include <cerrno>
#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QMessageBox>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>

#include "AppError.h"
#include "AppPaths.h"
#include "Codepage1252.h"
#include "Conversions.h"
#include "DataFolder.h"
#include "ErrorReporting.h"
#include "IniStore.h"
#include "QtErrorBox.h"
#include "TestApplication.h"

namespace {

class RecordingBox : public ErrorBox {
public:
    void showError(const QString& caption, const QString& text) override { shown << caption + u'|' + text; }
    QStringList shown;
};

TEST(AppPathsTest, FormsNativePathsAndMatchesNamesWithoutRegardToCase)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("MEDIA/Sub"));
    QFile(dir.path() + QStringLiteral("/MEDIA/Main_BK.JPG")).open(QIODevice::WriteOnly);
    const AppPaths paths(dir.path());
    EXPECT_EQ(paths.directory(), dir.path() + u'/');
    EXPECT_EQ(paths.nativePath(QStringLiteral("Media\\main_bk.jpg")), dir.path() + QStringLiteral("/MEDIA/Main_BK.JPG"));
    EXPECT_EQ(paths.nativePath(QStringLiteral("media\\sub")), dir.path() + QStringLiteral("/MEDIA/Sub"));
    EXPECT_EQ(paths.nativePath(QStringLiteral("Media\\missing\\x.avi")), dir.path() + QStringLiteral("/MEDIA/missing/x.avi"));
    EXPECT_EQ(paths.nativePath(QStringLiteral("Sponsors\\sp.dat")), dir.path() + QStringLiteral("/Sponsors/sp.dat"));
}

TEST(ErrorReportingTest, CaptionsWithTheTitleAndAddsAFullStopAfterLaterCharacters)
{
    EXPECT_EQ(programTitleFor(QStringLiteral("/opt/x/tovrelle")), QStringLiteral("Tovrelle"));
    EXPECT_EQ(programTitleFor(QStringLiteral("/opt/x/CD_QUORVATE.bin.old")), QStringLiteral("Cd_quorvate"));
    EXPECT_EQ(ErrorReporting::withClosingStop(QStringLiteral("Cannot open file /a/b.jpg")), QStringLiteral("Cannot open file /a/b.jpg."));
    EXPECT_EQ(ErrorReporting::withClosingStop(QStringLiteral("'' is not a valid integer value")), QStringLiteral("'' is not a valid integer value."));
    EXPECT_EQ(ErrorReporting::withClosingStop(QStringLiteral("Done.")), QStringLiteral("Done."));
    EXPECT_EQ(ErrorReporting::withClosingStop(QStringLiteral("ends in (")), QStringLiteral("ends in ("));
    EXPECT_EQ(ErrorReporting::withClosingStop(QStringLiteral("ends in -")), QStringLiteral("ends in -"));
    EXPECT_EQ(ErrorReporting::withClosingStop(QStringLiteral("path/")), QStringLiteral("path/."));
    EXPECT_EQ(ErrorReporting::withClosingStop(QString()), QString());

    RecordingBox box;
    ErrorReporting::install(&box, QStringLiteral("Tovrelle"));
    bool after = false;
    runGuarded([] { throw AppError(QStringLiteral("No MCI device open")); });
    runGuarded([] { throw std::runtime_error("plain"); });
    runGuarded([&] { after = true; });
    ErrorReporting::install(nullptr, QString());
    EXPECT_EQ(box.shown, QStringList({QStringLiteral("Tovrelle|No MCI device open."), QStringLiteral("Tovrelle|plain.")}));
    EXPECT_TRUE(after);
}

// While a box waits for the learner, an error raised by what its own event
// loop delivers (the banner's timer, a click) opens no second box; once it
// is closed, the next error has its box.
TEST(ErrorReportingTest, NoSecondBoxWhileOneIsOpen)
{
    struct TickingBox : RecordingBox {
        void showError(const QString&, const QString& text) override
        {
            shown << text;
            runGuarded([] { throw AppError(QStringLiteral("Invalid address \"x\"")); });
        }
    } box;
    ErrorReporting::install(&box, QStringLiteral("Tovrelle"));
    runGuarded([] { throw AppError(QStringLiteral("first")); });
    runGuarded([] { throw AppError(QStringLiteral("second")); });
    ErrorReporting::install(nullptr, QString());
    EXPECT_EQ(box.shown, QStringList({QStringLiteral("first."), QStringLiteral("second.")}));
}

// The box belongs to the program's window, and the keyboard is back on the
// control that had it once the box is closed.
TEST(ErrorReportingTest, TheBoxLiesOverTheWindowAndGivesTheFocusBack)
{
    testApplication();
    QWidget window;
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    window.show();
    window.activateWindow();
    second->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return second->hasFocus(); }));
    QtErrorBox box;
    box.setOwner(&window);
    QWidget* parent = nullptr;
    QTimer::singleShot(0, [&] {
        auto* messageBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        parent = messageBox->parentWidget();
        first->setFocus();  // the box's own loop may move the focus behind it
        messageBox->accept();
    });
    box.showError(QStringLiteral("Tovrelle"), QStringLiteral("Cannot read file x."));
    EXPECT_EQ(parent, &window);
    EXPECT_TRUE(QTest::qWaitFor([&] { return second->hasFocus(); }));
}

// What the real box shows of an error, as the learner sees it: its text
// and how its label reads that text. The box is closed at once.
struct ShownBox {
    QString text;
    Qt::TextFormat format = Qt::AutoText;
};

ShownBox showInRealBox(const std::function<void()>& failing)
{
    testApplication();
    QtErrorBox box;
    ShownBox shown;
    QTimer::singleShot(0, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* messageBox = qobject_cast<QMessageBox*>(window);
            if (!messageBox || !messageBox->isVisible())
                continue;
            const auto* label = messageBox->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            shown = {label ? label->text() : QString(), label ? label->textFormat() : Qt::AutoText};
            messageBox->accept();
        }
    });
    ErrorReporting::install(&box, QStringLiteral("Tovrelle"));
    runGuarded(failing);
    ErrorReporting::install(nullptr, QString());
    return shown;
}

// Course values, addresses and file names in an error box are shown as
// typed: markup in them is text, so a link in them is no link, and a huge
// text is cut short by the box, the error's own text staying whole.
TEST(ErrorReportingTest, TheBoxShowsQuotedValuesAsPlainTextCutShort)
{
    const QString link = QStringLiteral("<a href=\"smb://x/y\">CLICKME</a>");
    const QString huge = QString(500, u'7') + QStringLiteral("<b>");
    QTemporaryDir dir;
    const QString markedFolder = dir.path() + QStringLiteral("/<i>missing</i>");
    const struct {
        const char* name;
        std::function<void()> failing;
        QString expected;
    } cases[] = {
        {"a count holding a link", [&] { Conversions::strToInt(link); }, "'" + link + "' is not a valid integer value."},
        {"a position holding a link", [&] { Conversions::strToFloat(link, u'.'); },
         "'" + link + "' is not a valid floating point value."},
        {"a file name holding markup",
         [&] {
             IniStore store;
             store.open(markedFolder + QStringLiteral("/bm.ini"));
             store.write("S", "k", "v");
         },
         "Unable to write to " + markedFolder + "/bm.ini."},
        {"a huge value", [&] { Conversions::strToInt(huge); }, "'" + QString(398, u'7') + QStringLiteral("\u2026")},
    };
    try {
        Conversions::strToInt(huge);
    } catch (const AppError& error) {
        EXPECT_EQ(error.text(), "'" + huge + "' is not a valid integer value") << "the box alone cuts";
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ShownBox shown = showInRealBox(c.failing);
        EXPECT_EQ(shown.text, c.expected);
        EXPECT_EQ(shown.format, Qt::PlainText);
    }
}

TEST(DataFolderTest, CreatesTheFolderOrRaisesTheSystemMessage)
{
    QTemporaryDir dir;
    const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + QStringLiteral("/data")));
    UserDataFolder folder;
    EXPECT_EQ(folder.locate(), dir.path() + QStringLiteral("/data/tovrelle"));
    EXPECT_TRUE(QFileInfo(dir.path() + QStringLiteral("/data/tovrelle")).isDir());

    QFile(dir.path() + QStringLiteral("/file")).open(QIODevice::WriteOnly);
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + QStringLiteral("/file")));
    try {
        folder.locate();
        FAIL();
    } catch (const AppError& error) {
        EXPECT_EQ(error.text(), QStringLiteral("Not a directory"));
    }
    qputenv("XDG_DATA_HOME", oldHome);
    EXPECT_EQ(systemMessage(ENOENT), QStringLiteral("No such file or directory"));
}

TEST(Codepage1252Test, RoundTripsEveryByteAndReplacesForeignCharacters)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(Codepage1252::encode(Codepage1252::decode(all)), all);
    EXPECT_EQ(Codepage1252::decode("\x80\x9F\xA7"), QStringLiteral("\u20AC\u0178\u00A7"));
    EXPECT_EQ(Codepage1252::encode(QStringLiteral("a\u4E2D\U0001F600b")), QByteArray("a??b"));
}

}  // namespace

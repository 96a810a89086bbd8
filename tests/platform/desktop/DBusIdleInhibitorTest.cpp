#include <string>
#include <utility>

#include <gtest/gtest.h>

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "DBusIdleInhibitor.h"
#include "TestApplication.h"

namespace {

// A desktop service that inhibits idleness, on a bus of the test's own:
// writes "<member> <object path>" of each call and answers Inhibit with its
// token, or with an error, or a while after the program stopped waiting.
class FakeService : public QDBusVirtualObject {
public:
    enum class Answer { Token, Error, Late };

    FakeService(QStringList& log, QVariant token, Answer answer) : log_(log), token_(std::move(token)), answer_(answer) {}
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        log_ << message.member() + u' ' + message.path();
        if (message.member() != QLatin1String("Inhibit"))
            connection.send(message.createReply());
        else if (answer_ == Answer::Error)
            connection.send(message.createErrorReply(QDBusError::AccessDenied, QStringLiteral("refused")));
        else if (answer_ == Answer::Token)
            connection.send(message.createReply(token_));
        else
            QTimer::singleShot(DBusIdleInhibitor::AnswerWaitMs + 300, [connection, reply = message.createReply(token_)] {
                connection.send(reply);
            });
        return true;
    }

private:
    QStringList& log_;
    QVariant token_;
    Answer answer_;
};

struct Service {
    const char* name;
    const char* path;
    QVariant token;
    FakeService::Answer answer = FakeService::Answer::Token;
};
const Service kScreenSaver{"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", 7u};
const Service kSessionManager{"org.gnome.SessionManager", "/org/gnome/SessionManager", 9u};
const Service kPortal{"org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                      QVariant::fromValue(QDBusObjectPath("/org/freedesktop/portal/desktop/request/1_5/t1"))};

Service answering(Service service, FakeService::Answer answer)
{
    service.answer = answer;
    return service;
}

class DBusIdleInhibition : public ::testing::Test {
protected:
    void SetUp() override
    {
        testApplication();
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address=1",
                                      "--address=unix:path=" + folder_.filePath("bus")});
        if (!daemon_.waitForReadyRead(5000))
            GTEST_SKIP() << "no private session bus (dbus-daemon missing)";
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    void TearDown() override
    {
        daemon_.kill();
        daemon_.waitForFinished();
    }

    // The desktop's services on a connection of their own, for one case.
    QDBusConnection offer(const QList<Service>& services, const QString& connection)
    {
        QDBusConnection desktop = QDBusConnection::connectToBus(address_, connection);
        for (const Service& service : services) {
            services_.push_back(std::make_unique<FakeService>(log, service.token, service.answer));
            desktop.registerVirtualObject(service.path, services_.back().get(), QDBusConnection::SubPath);
            desktop.registerService(service.name);
        }
        return desktop;
    }
    bool logged(int lines) { return QTest::qWaitFor([&] { return log.size() >= lines; }, 3000); }

    // What the desktop's services saw of a hold, given waitMs for their
    // answers, then a release, a call a line; each case on connections of its own.
    std::string holdAndRelease(const QList<Service>& offered, int waitMs)
    {
        const QString connection = QStringLiteral("desktop%1").arg(++connections_);
        QDBusConnection desktop = offer(offered, connection);
        {
            DBusIdleInhibitor busInhibitor(QDBusConnection::connectToBus(address_, connection + "-program"));
            busInhibitor.hold(QStringLiteral("Playing"));
            logged(1);
            QTest::qWait(waitMs);
            busInhibitor.release();
            QTest::qWait(100);
        }
        for (const Service& service : offered)
            desktop.unregisterService(service.name);
        return std::exchange(log, {}).join(u'\n').toStdString();
    }

    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
    std::vector<std::unique_ptr<FakeService>> services_;
    QStringList log;
    static inline int connections_ = 0;  // connection names stay taken for the whole run
};

// The first of the desktop's services takes the inhibition, and gets it back
// with the token it gave, at the object it names for the portal.
TEST_F(DBusIdleInhibition, TheFirstServiceOfferedTakesItAndGetsItBack)
{
    const std::pair<QList<Service>, QStringList> cases[] = {
        {{kPortal, kSessionManager, kScreenSaver},
         {"Inhibit /org/freedesktop/ScreenSaver", "UnInhibit /org/freedesktop/ScreenSaver"}},
        {{kPortal, kSessionManager}, {"Inhibit /org/gnome/SessionManager", "Uninhibit /org/gnome/SessionManager"}},
        {{kPortal}, {"Inhibit /org/freedesktop/portal/desktop", "Close /org/freedesktop/portal/desktop/request/1_5/t1"}},
    };
    for (const auto& [offered, calls] : cases)
        EXPECT_EQ(holdAndRelease(offered, 50), calls.join(u'\n').toStdString());
}

TEST_F(DBusIdleInhibition, AnAnswerAfterTheReleaseIsGivenBack)
{
    offer({kPortal}, QStringLiteral("desktop"));
    DBusIdleInhibitor busInhibitor(QDBusConnection::connectToBus(address_, "program"));
    busInhibitor.hold(QStringLiteral("Playing"));
    busInhibitor.release();
    ASSERT_TRUE(logged(2));
    EXPECT_EQ(log.last(), "Close /org/freedesktop/portal/desktop/request/1_5/t1");
}

// A service that refuses, or keeps the program waiting past a second, hands
// on to the next one offered. The first to answer holds, a late one too when
// the next failed, and is given back on release; any other is given back.
TEST_F(DBusIdleInhibition, AServiceThatFailsOrIsSilentHandsOnToTheNext)
{
    using Answer = FakeService::Answer;
    const std::pair<QList<Service>, QStringList> cases[] = {
        {{answering(kScreenSaver, Answer::Error), kSessionManager},
         {"Inhibit /org/freedesktop/ScreenSaver", "Inhibit /org/gnome/SessionManager",
          "Uninhibit /org/gnome/SessionManager"}},
        {{answering(kScreenSaver, Answer::Late), kPortal},
         {"Inhibit /org/freedesktop/ScreenSaver", "Inhibit /org/freedesktop/portal/desktop",
          "UnInhibit /org/freedesktop/ScreenSaver", "Close /org/freedesktop/portal/desktop/request/1_5/t1"}},
        {{answering(kScreenSaver, Answer::Late), answering(kPortal, Answer::Error)},
         {"Inhibit /org/freedesktop/ScreenSaver", "Inhibit /org/freedesktop/portal/desktop",
          "UnInhibit /org/freedesktop/ScreenSaver"}},
        {{answering(kSessionManager, Answer::Error), answering(kPortal, Answer::Error)},
         {"Inhibit /org/gnome/SessionManager", "Inhibit /org/freedesktop/portal/desktop"}},
    };
    for (const auto& [offered, calls] : cases)
        EXPECT_EQ(holdAndRelease(offered, 2 * DBusIdleInhibitor::AnswerWaitMs), calls.join(u'\n').toStdString());
}

}  // namespace

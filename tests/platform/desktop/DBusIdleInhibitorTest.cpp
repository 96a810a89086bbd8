#include <gtest/gtest.h>

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "DBusIdleInhibitor.h"
#include "FakeDesktopSession.h"
#include "TestApplication.h"

namespace {

// A desktop service that inhibits idleness, on a bus of the test's own:
// writes "<member> <object path>" of each call and answers Inhibit with its token.
class FakeService : public QDBusVirtualObject {
public:
    FakeService(QStringList& log, QVariant token) : log_(log), token_(std::move(token)) {}
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        log_ << message.member() + u' ' + message.path();
        connection.send(message.member() == QLatin1String("Inhibit") ? message.createReply(token_) : message.createReply());
        return true;
    }

private:
    QStringList& log_;
    QVariant token_;
};

struct Service {
    const char* name;
    const char* path;
    QVariant token;
};
const Service kScreenSaver{"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", 7u};
const Service kSessionManager{"org.gnome.SessionManager", "/org/gnome/SessionManager", 9u};
const Service kPortal{"org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                      QVariant::fromValue(QDBusObjectPath("/org/freedesktop/portal/desktop/request/1_5/t1"))};

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
            services_.push_back(std::make_unique<FakeService>(log, service.token));
            desktop.registerVirtualObject(service.path, services_.back().get(), QDBusConnection::SubPath);
            desktop.registerService(service.name);
        }
        return desktop;
    }
    bool logged(int lines) { return QTest::qWaitFor([&] { return log.size() >= lines; }, 3000); }

    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
    std::vector<std::unique_ptr<FakeService>> services_;
    QStringList log;
    FakeIdleInhibitor fallback;
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
    int number = 0;
    for (const auto& [offered, calls] : cases) {
        const QString connection = QStringLiteral("desktop%1").arg(++number);
        QDBusConnection desktop = offer(offered, connection);
        DBusIdleInhibitor busInhibitor(&fallback, QDBusConnection::connectToBus(address_, connection + "-program"));
        busInhibitor.hold(QStringLiteral("Playing"));
        ASSERT_TRUE(logged(1));
        QTest::qWait(50);  // the answer
        busInhibitor.release();
        ASSERT_TRUE(logged(2));
        EXPECT_EQ(log, calls);
        EXPECT_TRUE(fallback.held.isEmpty()) << "the fallback is for desktops without a service";
        for (const Service& service : offered)
            desktop.unregisterService(service.name);
        log.clear();
    }
}

TEST_F(DBusIdleInhibition, AnAnswerAfterTheReleaseIsGivenBack)
{
    offer({kPortal}, QStringLiteral("desktop"));
    DBusIdleInhibitor busInhibitor(&fallback, QDBusConnection::connectToBus(address_, "program"));
    busInhibitor.hold(QStringLiteral("Playing"));
    busInhibitor.release();
    ASSERT_TRUE(logged(2));
    EXPECT_EQ(log.last(), "Close /org/freedesktop/portal/desktop/request/1_5/t1");
}

}  // namespace

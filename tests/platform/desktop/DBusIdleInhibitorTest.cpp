#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusConnectionInterface>
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

// A session bus of the test's own.
class PrivateBus {
public:
    PrivateBus()
    {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                       QStringLiteral("--print-address=1"), QStringLiteral("--address=unix:path=") + folder_.filePath("bus")});
        if (daemon_.waitForReadyRead(5000))
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        daemon_.kill();
        daemon_.waitForFinished();
    }
    QDBusConnection connect(const QString& name) const { return QDBusConnection::connectToBus(address_, name); }

private:
    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
};

QString textOf(const QVariant& value)
{
    if (value.canConvert<QDBusArgument>())  // the portal's options
        return qdbus_cast<QVariantMap>(value).value(QStringLiteral("reason")).toString();
    if (value.canConvert<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

// A desktop service that inhibits idleness: writes each call it gets as
// "<member> <object path> <arguments>" and answers Inhibit with its token.
class FakeService : public QDBusVirtualObject {
public:
    FakeService(QStringList& log, QVariant token) : log_(log), token_(std::move(token)) {}

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        QStringList words{message.member(), message.path()};
        for (const QVariant& argument : message.arguments())
            words << textOf(argument);
        log_ << words.join(u' ');
        connection.send(message.member() == QLatin1String("Inhibit") ? message.createReply(token_) : message.createReply());
        return true;
    }

private:
    QStringList& log_;
    QVariant token_;
};

struct ServiceSpec {
    QString name;
    QString path;
    QVariant token;
};

const ServiceSpec kScreenSaver{"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", 7u};
const ServiceSpec kSessionManager{"org.gnome.SessionManager", "/org/gnome/SessionManager", 9u};
const ServiceSpec kPortal{"org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                          QVariant::fromValue(QDBusObjectPath("/org/freedesktop/portal/desktop/request/1_5/t1"))};

class DBusIdleInhibition : public ::testing::Test {
protected:
    void SetUp() override
    {
        testApplication();
        if (!bus_.connect(QStringLiteral("program")).isConnected())
            GTEST_SKIP() << "no private session bus (dbus-daemon missing)";
    }
    void TearDown() override { withdraw(); }

    void offer(const QList<ServiceSpec>& specs)
    {
        desktop_ = bus_.connect(QStringLiteral("desktop"));
        for (const ServiceSpec& spec : specs) {
            services_.push_back(std::make_unique<FakeService>(log, spec.token));
            desktop_.registerVirtualObject(spec.path, services_.back().get(), QDBusConnection::SubPath);
            desktop_.registerService(spec.name);
            offered_ << spec;
        }
    }
    void withdraw()
    {
        for (const ServiceSpec& spec : offered_)
            desktop_.unregisterService(spec.name);
        QDBusConnection::disconnectFromBus(QStringLiteral("desktop"));
        offered_.clear();
        services_.clear();
        log.clear();
    }
    QDBusConnection program() const { return QDBusConnection(QStringLiteral("program")); }
    bool logged(int lines) { return QTest::qWaitFor([&] { return log.size() >= lines; }, 3000); }

    PrivateBus bus_;
    QDBusConnection desktop_{QString()};
    std::vector<std::unique_ptr<FakeService>> services_;
    QList<ServiceSpec> offered_;
    QStringList log;
    FakeIdleInhibitor fallback;
};

// The first of the desktop's services takes the inhibition, each spelt its
// own way, and gets it back with the token it gave.
TEST_F(DBusIdleInhibition, TheFirstServiceOfferedTakesItAndGetsItBack)
{
    struct Case {
        const char* name;
        QList<ServiceSpec> offered;
        QStringList calls;
    };
    const Case cases[] = {
        {"screen saver", {kPortal, kSessionManager, kScreenSaver},
         {"Inhibit /org/freedesktop/ScreenSaver Tovrelle Playing", "UnInhibit /org/freedesktop/ScreenSaver 7"}},
        {"session manager", {kPortal, kSessionManager},
         {"Inhibit /org/gnome/SessionManager tovrelle 0 Playing 8", "Uninhibit /org/gnome/SessionManager 9"}},
        {"portal", {kPortal},
         {"Inhibit /org/freedesktop/portal/desktop  8 Playing", "Close /org/freedesktop/portal/desktop/request/1_5/t1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        offer(c.offered);
        DBusIdleInhibitor inhibitor(&fallback, program());
        inhibitor.hold(QStringLiteral("Playing"));
        ASSERT_TRUE(logged(1));
        QTest::qWait(50);  // the answer
        inhibitor.release();
        ASSERT_TRUE(logged(2));
        EXPECT_EQ(log, c.calls);
        EXPECT_TRUE(fallback.held.isEmpty()) << "the fallback is for desktops without a service";
        withdraw();
    }
}

TEST_F(DBusIdleInhibition, AnAnswerAfterTheReleaseIsGivenBack)
{
    offer({kPortal});
    DBusIdleInhibitor inhibitor(&fallback, program());
    inhibitor.hold(QStringLiteral("Playing"));
    inhibitor.release();
    ASSERT_TRUE(logged(2));
    EXPECT_EQ(log.last(), "Close /org/freedesktop/portal/desktop/request/1_5/t1");
}

}  // namespace

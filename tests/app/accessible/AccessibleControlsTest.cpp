#include <gtest/gtest.h>

#include <functional>

#include <QAccessible>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QScrollBar>
#include <QTest>

#include "MainWindowHarness.h"
#include "accessible/AccessibleSeekBar.h"

namespace {

// What readers were told, as "event name", in order.
QStringList toldEvents;

void recordEvent(QAccessibleEvent* event)
{
    QAccessibleInterface* iface = event->accessibleInterface();
    const QString name = iface ? iface->text(QAccessible::Name) : QString();
    toldEvents << QStringLiteral("%1 %2").arg(int(event->type()), 0, 16).arg(name);
}

QString told(QAccessible::Event type, const QString& name)
{
    return QStringLiteral("%1 %2").arg(int(type), 0, 16).arg(name);
}

// The window as a screen reader walks it: every interface under the window,
// the insides of Qt's own drop-down lists left to Qt.
void walk(QAccessibleInterface* iface, QList<QAccessibleInterface*>& all)
{
    all << iface;
    if (iface->role() == QAccessible::ComboBox)
        return;
    for (int index = 0; index < iface->childCount(); ++index) {
        QAccessibleInterface* child = iface->child(index);
        ASSERT_TRUE(child) << iface->text(QAccessible::Name).toStdString() << " child " << index;
        ASSERT_EQ(child->parent(), iface) << child->text(QAccessible::Name).toStdString();
        ASSERT_EQ(iface->indexOfChild(child), index)
            << child->text(QAccessible::Name).toStdString() << " of role " << int(child->role()) << " in role "
            << int(iface->role());
        walk(child, all);
    }
}

bool actionable(QAccessibleInterface* iface)
{
    QAccessibleActionInterface* actions = iface->actionInterface();
    return actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction());
}

class AccessibleControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        toldEvents.clear();
        QAccessible::installUpdateHandler(recordEvent);
        // Events reach readers only while a reader listens, as one would here.
        platformAccessibility()->setActive(true);
        harness.course.writeLessonCourse(true);
        harness.course.writeFile(QStringLiteral("Sponsors/sp.dat"),
                                 "[Main]\r\nnum=2\r\nimg1=a.gif\r\nurl1=https://one.example/\r\n"
                                 "img2=b.htm\r\nurl2=https://two.example/\r\n");
        harness.start().show();
        harness.video->calls.clear();
        toldEvents.clear();
    }
    void TearDown() override
    {
        QAccessible::installUpdateHandler(nullptr);
        platformAccessibility()->setActive(false);
    }
    static QPlatformAccessibility* platformAccessibility()
    {
        return QGuiApplicationPrivate::platformIntegration()->accessibility();
    }

    QList<QAccessibleInterface*> tree() const
    {
        QList<QAccessibleInterface*> all;
        walk(QAccessible::queryAccessibleInterface(harness.window.get()), all);
        return all;
    }

    QAccessibleInterface* find(const QString& name, QAccessible::Role role) const
    {
        for (QAccessibleInterface* iface : tree()) {
            if (iface->text(QAccessible::Name) == name && iface->role() == role)
                return iface;
        }
        ADD_FAILURE() << "no " << name.toStdString() << " of role " << int(role);
        return nullptr;
    }

    void press(const QString& name, QAccessible::Role role)
    {
        QAccessibleInterface* iface = find(name, role);
        if (!iface)
            return;
        const QStringList before = harness.video->calls;
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(harness.video->calls, before) << name.toStdString() << ": ran inside the reader's call";
        QCoreApplication::processEvents();
    }

    // The one button of the video's state reads checked, and the video says it.
    void expectChecked(const char* button, const char* videoDescription) const
    {
        for (const char* name : {"Play", "Pause", "Stop"}) {
            const QAccessible::State state = find(QString::fromLatin1(name), QAccessible::Button)->state();
            EXPECT_TRUE(state.checkable) << name;
            EXPECT_EQ(bool(state.checked), qstrcmp(name, button) == 0) << name << " with " << button << " in effect";
        }
        EXPECT_EQ(find(QStringLiteral("Lesson 3"), QAccessible::Animation)->text(QAccessible::Description),
                  QString::fromLatin1(videoDescription));
    }

    MainWindowHarness harness;
};

TEST_F(AccessibleControls, EveryControlShownIsNamedWithAFittingRole)
{
    int presented = 0;
    for (QAccessibleInterface* iface : tree()) {
        const QAccessible::State state = iface->state();
        EXPECT_NE(iface->role(), QAccessible::Graphic) << "decorations are left out";
        if (state.invisible || !(state.focusable || actionable(iface)))
            continue;
        ++presented;
        EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty()) << "a control of role " << int(iface->role());
        EXPECT_NE(iface->role(), QAccessible::Client) << iface->text(QAccessible::Name).toStdString();
    }
    EXPECT_GE(presented, 14);

    struct Expected {
        const char* name;
        QAccessible::Role role;
        bool selected;
    };
    const Expected expected[] = {
        {"Training", QAccessible::PageTab, true},      {"Resources", QAccessible::PageTab, false},
        {"Sponsors", QAccessible::PageTab, false},     {"Introduction", QAccessible::ListItem, true},
        {"Lesson 1", QAccessible::ListItem, false},    {"Lesson 3", QAccessible::ListItem, false},
        {"Play", QAccessible::Button, false},          {"Pause", QAccessible::Button, false},
        {"Stop", QAccessible::Button, false},          {"Lesson position", QAccessible::Slider, false},
        {"Bookmarks", QAccessible::ComboBox, false},   {"Introduction", QAccessible::Animation, false},
        {"https://one.example/", QAccessible::Link, false},
        {"Search tutorials", QAccessible::Button, false},
        {"Tutorials: keyword", QAccessible::EditableText, false},
        {"Plugins / Scripts: application", QAccessible::ComboBox, false},
        {"Plugin", QAccessible::RadioButton, false},  {"Article", QAccessible::RadioButton, false},
        {"Search reviews and articles", QAccessible::Button, false},
        {"Show all sponsors", QAccessible::Button, false},
    };
    for (const Expected& control : expected) {
        if (QAccessibleInterface* iface = find(QString::fromUtf8(control.name), control.role)) {
            EXPECT_EQ(iface->state().selected, control.selected) << control.name;
        }
    }
    EXPECT_EQ(find(QStringLiteral("Lessons"), QAccessible::List)->childCount(), 4) << "the introduction and 3 lessons";
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(harness.window->focusFrame);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(harness.window->Panel2)->indexOfChild(frame), -1)
        << "the focus frame is no control of its own";
    EXPECT_EQ(find(QStringLiteral("Introduction"), QAccessible::Animation)->text(QAccessible::Description),
              QStringLiteral("playing, normal view"));
    harness.window->selBm->setCurrentIndex(0);
    QAccessibleInterface* bookmarks = QAccessible::queryAccessibleInterface(harness.window->selBm);
    EXPECT_EQ(bookmarks->text(QAccessible::Name), QStringLiteral("Bookmarks")) << "not the entry chosen";
    EXPECT_EQ(bookmarks->text(QAccessible::Value), QStringLiteral("<Manage Bookmarks>"));
}

// Each action runs the control's own handler; readers hear what changed.
TEST_F(AccessibleControls, ActionsRunTheControlsOwnHandlersAndTellTheChange)
{
    TfrmMain& w = *harness.window;
    struct Case {
        const char* name;
        QAccessible::Role role;
        std::function<void()> check;
        QStringList events;
    };
    const QString lesson3 = harness.course.path(QStringLiteral("Media/vid_03.avi"));
    const Case cases[] = {
        {"Lesson 3", QAccessible::ListItem,
         [&] {
             EXPECT_EQ(harness.video->calls.mid(0, 2), (QStringList{"open " + lesson3, "play"}));
             EXPECT_EQ(w.currentLesson, QStringLiteral("3"));
             EXPECT_TRUE(find(QStringLiteral("Lesson 3"), QAccessible::ListItem)->state().selected);
             EXPECT_EQ(find(QStringLiteral("Lessons"), QAccessible::List)->childCount(), 3);
         },
         {told(QAccessible::NameChanged, "https://two.example/"), told(QAccessible::ObjectReorder, "Lessons"),
          told(QAccessible::Selection, "Lesson 3"), told(QAccessible::NameChanged, "Lesson 3")}},
        {"Pause", QAccessible::Button,
         [&] {
             EXPECT_EQ(harness.video->calls.last(), QStringLiteral("pause"));
             expectChecked("Pause", "paused, normal view");
         },
         {told(QAccessible::NameChanged, "https://one.example/"), told(QAccessible::StateChanged, "Play"),
          told(QAccessible::StateChanged, "Pause"), told(QAccessible::DescriptionChanged, "Lesson 3")}},
        {"Stop", QAccessible::Button,
         [&] {
             EXPECT_EQ(harness.video->calls.last(), QStringLiteral("stop"));
             expectChecked("Stop", "stopped, normal view");
         },
         {told(QAccessible::NameChanged, "https://two.example/"), told(QAccessible::StateChanged, "Pause"),
          told(QAccessible::StateChanged, "Stop")}},
        {"Play", QAccessible::Button,
         [&] {
             EXPECT_EQ(harness.video->calls.last(), QStringLiteral("play"));
             expectChecked("Play", "playing, normal view");
         },
         {told(QAccessible::NameChanged, "https://one.example/"), told(QAccessible::StateChanged, "Stop"),
          told(QAccessible::StateChanged, "Play")}},
        {"Resources", QAccessible::PageTab,
         [&] {
             EXPECT_TRUE(w.rePanel->isVisibleTo(&w));
             EXPECT_TRUE(find(QStringLiteral("Resources"), QAccessible::PageTab)->state().selected);
             EXPECT_EQ(w.focusWidget(), w.imgReHotspot) << "the tab has the focus, not the banner";
         },
         {told(QAccessible::NameChanged, "https://two.example/"), told(QAccessible::SelectionRemove, "Training"),
          told(QAccessible::Selection, "Resources")}},
        {"Search tutorials", QAccessible::Button,
         [&] { EXPECT_TRUE(harness.frelBrowser().lastAddress().contains(QStringLiteral("tutorial_results"))); },
         {told(QAccessible::NameChanged, "https://one.example/")}},
        {"https://one.example/", QAccessible::Link,
         [&] { EXPECT_EQ(harness.shell.opened, QStringList{QStringLiteral("https://one.example/")}); }, {}},
        {"Training", QAccessible::PageTab, [] {}, {}},
        {"Lesson 3", QAccessible::Animation,
         [&] { EXPECT_EQ(w.screenMode, QStringLiteral("max")); },
         {told(QAccessible::DescriptionChanged, "Lesson 3")}},
    };
    for (const Case& c : cases) {
        toldEvents.clear();
        press(QString::fromUtf8(c.name), c.role);
        c.check();
        for (const QString& event : c.events)
            EXPECT_TRUE(toldEvents.contains(event)) << c.name << ": " << event.toStdString() << " not in "
                                                    << toldEvents.join(u'|').toStdString();
    }
    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
}

// The bar following a playing lesson changes no value under a reader; a
// seek and the focus landing are told, and the time read is always fresh.
TEST_F(AccessibleControls, TheSeekBarIsToldOnASeekAndWhenFocusLandsOnly)
{
    TfrmMain& w = *harness.window;
    harness.video->durationValue = 300;
    harness.video->positionValue = 83;
    w.Timer1Timer();
    QAccessibleInterface* bar = find(QStringLiteral("Lesson position"), QAccessible::Slider);
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 28);
    EXPECT_EQ(bar->text(QAccessible::Description), QStringLiteral("1:23 of 5:00"));

    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.ScrollBar1->setFocus(Qt::TabFocusReason);
    harness.video->positionValue = 150;
    w.Timer1Timer();
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 28) << "playing on under the focus";
    EXPECT_EQ(bar->text(QAccessible::Description), QStringLiteral("2:30 of 5:00")) << "the time is always fresh";

    toldEvents.clear();
    QTest::keyClick(w.ScrollBar1, Qt::Key_Right);
    EXPECT_EQ(bar->valueInterface()->currentValue().toInt(), 51);
    EXPECT_EQ(bar->text(QAccessible::Description), QStringLiteral("2:33 of 5:00"));
    EXPECT_TRUE(toldEvents.contains(told(QAccessible::ValueChanged, "Lesson position")));

    for (auto [seconds, text] : {std::pair{0.0, "0:00"}, {59.9, "0:59"}, {3723.0, "1:02:03"}, {-4.0, "0:00"}})
        EXPECT_EQ(AccessibleSeekBar::timeText(seconds), QString::fromLatin1(text));
}

// The arrows move within the strip and the bar; a reader hears the lesson or
// the button they land on, and finds it focused.
TEST_F(AccessibleControls, TheItemUnderTheKeyboardsCursorIsFocusedAndTold)
{
    TfrmMain& w = *harness.window;
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const struct {
        QWidget* control;
        Qt::Key key;
        const char* item;
        QAccessible::Role role;
    } cases[] = {
        {w.Image15, Qt::Key_Down, "Lesson 2", QAccessible::ListItem},
        {w.Image15, Qt::Key_End, "Lesson 3", QAccessible::ListItem},
        {w.MediaPlayer1, Qt::Key_Right, "Pause", QAccessible::Button},
    };
    for (const auto& c : cases) {
        c.control->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        toldEvents.clear();
        QTest::keyClick(c.control, c.key);
        EXPECT_TRUE(toldEvents.contains(told(QAccessible::Focus, c.item)))
            << c.item << " not in " << toldEvents.join(u'|').toStdString();
        QAccessibleInterface* focused = QAccessible::queryAccessibleInterface(c.control)->focusChild();
        ASSERT_TRUE(focused) << c.item;
        EXPECT_EQ(focused->text(QAccessible::Name), QString::fromLatin1(c.item));
        EXPECT_EQ(focused->role(), c.role);
        EXPECT_TRUE(focused->state().focused) << c.item;
    }
    w.imgTrHotspot->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(w.Image15)->focusChild()) << "no item focused once the strip lost it";
}

}  // namespace

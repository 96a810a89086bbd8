#include <gtest/gtest.h>

#include <QMenu>
#include <QTimer>
#include <QWheelEvent>

#include "MainWindowHarness.h"
#include "ScrollBarParts.h"
#include "controls/ScrollBarNotifier.h"

namespace {

// A seek bar like the window's, shown on the screen, whose notifications are
// written down as "<code> <position the bar holds at that moment>" and
// "change <position>".
class SeekBar {
public:
    SeekBar()
    {
        bar.setRange(0, 100);
        bar.setSingleStep(1);
        bar.setPageStep(1);
        bar.setGeometry(100, 100, 407, 21);
        bar.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&bar));
        notifier->OnScroll = [this](TScrollCode code, int) { log << nameOf(code) + u' ' + QString::number(bar.value()); };
        notifier->OnChange = [this] { log << QStringLiteral("change ") + QString::number(bar.value()); };
    }

    QRect part(QStyle::SubControl control) const { return scrollBarPart(bar, control); }

    // The groove point where the thumb's centre stands at a position.
    QPoint thumbCentreAt(int position)
    {
        const int saved = bar.value();
        QSignalBlocker blocker(bar);
        bar.setValue(position);
        const QPoint centre = part(QStyle::SC_ScrollBarSlider).center();
        bar.setValue(saved);
        return centre;
    }

    static QString nameOf(TScrollCode code)
    {
        static const char* const names[] = {"lineUp", "lineDown", "pageUp", "pageDown", "position",
                                            "track", "top", "bottom", "end"};
        return QString::fromLatin1(names[int(code)]);
    }

    QApplication& application = testApplication();
    QScrollBar bar{Qt::Horizontal};
    ScrollBarNotifier* notifier = new ScrollBarNotifier(&bar);
    QStringList log;
};

TEST(ScrollBarNotifier, ArrowAndPageClicksNotifyBeforeTheMoveAndEndAfterIt)
{
    struct Case {
        const char* name;
        QStyle::SubControl part;
        QStringList expected;
        int start = 37;
    };
    const Case cases[] = {
        {"right arrow", QStyle::SC_ScrollBarAddLine, {"lineDown 37", "change 38", "end 38"}},
        {"left arrow", QStyle::SC_ScrollBarSubLine, {"lineUp 37", "change 36", "end 36"}},
        {"groove right of the thumb", QStyle::SC_ScrollBarAddPage, {"pageDown 37", "change 38", "end 38"}},
        {"groove left of the thumb", QStyle::SC_ScrollBarSubPage, {"pageUp 37", "change 36", "end 36"}},
        {"right arrow at the end", QStyle::SC_ScrollBarAddLine, {"lineDown 100", "end 100"}, 100},
    };
    for (const Case& c : cases) {
        SeekBar seek;
        seek.bar.setValue(c.start);
        seek.log.clear();
        clickScrollBarPart(seek.bar, c.part);
        EXPECT_EQ(seek.log, c.expected) << c.name;
    }
}

TEST(ScrollBarNotifier, DraggingTheThumbTracksThenSettlesWhereItWasLetGo)
{
    SeekBar seek;
    seek.bar.setValue(10);
    const QPoint grab = seek.part(QStyle::SC_ScrollBarSlider).center();
    seek.log.clear();
    QTest::mousePress(&seek.bar, Qt::LeftButton, Qt::NoModifier, grab);
    QTest::mouseMove(&seek.bar, seek.thumbCentreAt(40));
    QTest::mouseMove(&seek.bar, seek.thumbCentreAt(70));
    QTest::mouseRelease(&seek.bar, Qt::LeftButton, Qt::NoModifier, seek.thumbCentreAt(70));
    EXPECT_EQ(seek.log, (QStringList{"track 10", "change 40", "track 40", "change 70", "position 70", "end 70"}));
}

TEST(ScrollBarNotifier, ThumbHeldWhileTheProgramMovesTheBarStillLandsWhereItIsLetGo)
{
    SeekBar seek;
    seek.bar.setValue(10);
    QTest::mousePress(&seek.bar, Qt::LeftButton, Qt::NoModifier, seek.part(QStyle::SC_ScrollBarSlider).center());
    QTest::mouseMove(&seek.bar, seek.thumbCentreAt(60));
    seek.log.clear();
    seek.bar.setValue(20);  // the video's progress arriving during the drag
    QTest::mouseRelease(&seek.bar, Qt::LeftButton, Qt::NoModifier, seek.thumbCentreAt(60));
    EXPECT_EQ(seek.log, (QStringList{"change 20", "position 20", "change 60", "end 60"}));
}

TEST(ScrollBarNotifier, ProgramMovesOnlyChangeAndWheelTurnsEndTheirAction)
{
    SeekBar seek;
    seek.bar.setValue(50);
    seek.bar.setValue(50);
    EXPECT_EQ(seek.log, QStringList{"change 50"}) << "an equal position changes nothing";

    seek.log.clear();
    const QPoint at = seek.part(QStyle::SC_ScrollBarGroove).center();
    QWheelEvent wheel(at, seek.bar.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&seek.bar, &wheel);
    ASSERT_EQ(seek.log.size(), 3) << seek.log.join(u',').toStdString();
    EXPECT_EQ(seek.log[0], QStringLiteral("position 50"));
    EXPECT_GT(seek.bar.value(), 50);
    EXPECT_EQ(seek.log[2], QStringLiteral("end ") + QString::number(seek.bar.value()));
}

// The bar's own menu: the program moves the bar while it is open; closing it
// without a choice is no scroll, a choice scrolls from where the bar then is.
TEST(ScrollBarNotifier, TheMenuScrollsOnlyByAChoice)
{
    struct Case {
        const char* choice;  // nothing for Esc
        QStringList expected;
    };
    const Case cases[] = {
        {nullptr, {"change 60"}},
        {"Left edge", {"change 60", "top 60", "change 0", "end 0"}},
        {"Scroll here", {"change 60", "change 100", "end 100"}},
    };
    for (const Case& c : cases) {
        SeekBar seek;
        seek.bar.setValue(37);
        seek.log.clear();
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu);
            seek.bar.setValue(60);  // the video's progress arriving while the menu is open
            for (QAction* action : menu->actions())
                if (c.choice && action->text() == QLatin1String(c.choice))
                    menu->setActiveAction(action);
            QTest::keyClick(menu, c.choice ? Qt::Key_Return : Qt::Key_Escape);
        });
        const QPoint at(seek.bar.width() - 2, seek.bar.height() / 2);  // on the right arrow
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, seek.bar.mapToGlobal(at));
        QApplication::sendEvent(&seek.bar, &request);
        EXPECT_EQ(seek.log, c.expected) << (c.choice ? c.choice : "Esc");
    }
}

}  // namespace

#include "AccessibleVideo.h"

#include "CD_Quorvate1.h"
#include "PlayedClip.h"
#include "ReaderActions.h"

const QString AccessibleVideo::CompactViewAction = QStringLiteral("Compact view");
const QString AccessibleVideo::FullScreenAction = QStringLiteral("Full screen");

AccessibleVideo::AccessibleVideo(TfrmMain& window)
    : QAccessibleWidget(window.ActiveMovie1, QAccessible::Animation), window_(window), toldName_(name()),
      toldDescription_(description())
{
}

QString AccessibleVideo::name() const
{
    const QString title = PlayedClip::of(window_).title;
    return title.isEmpty() ? QStringLiteral("Lesson video") : title;
}

QString AccessibleVideo::view() const
{
    if (window_.ActiveMovie1->FullScreenMode())
        return QStringLiteral("full screen");
    if (window_.screenMode == QStringLiteral("min"))
        return QStringLiteral("compact view");
    if (window_.screenMode == QStringLiteral("max"))
        return QStringLiteral("large view");
    return QStringLiteral("normal view");
}

QString AccessibleVideo::playState() const
{
    switch (window_.ActiveMovie1->PlayState()) {
    case VideoControl::Playing:
    case VideoControl::Waiting:
        return QStringLiteral("playing");
    case VideoControl::Paused:
        return QStringLiteral("paused");
    case VideoControl::Stopped:
        return QStringLiteral("stopped");
    default:
        return QStringLiteral("no clip open");
    }
}

// "paused, normal view"
QString AccessibleVideo::description() const
{
    return playState() + QStringLiteral(", ") + view();
}

QString AccessibleVideo::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return name();
    case QAccessible::Description:
        return description();
    default:
        return QAccessibleWidget::text(t);
    }
}

QStringList AccessibleVideo::actionNames() const
{
    return QStringList{pressAction(), CompactViewAction, FullScreenAction} + QAccessibleWidget::actionNames();
}

QStringList AccessibleVideo::keyBindingsForAction(const QString& action) const
{
    if (action == pressAction())
        return {QStringLiteral("Return")};
    if (action == FullScreenAction)
        return {QStringLiteral("F")};
    return QAccessibleWidget::keyBindingsForAction(action);
}

void AccessibleVideo::doAction(const QString& action)
{
    TfrmMain* window = &window_;
    if (action == pressAction())
        runForReader(window, [window] { window->ActiveMovie1MouseUp(Qt::LeftButton, Qt::NoModifier, 0, 0); });
    else if (action == CompactViewAction)
        runForReader(window, [window] { window->ActiveMovie1MouseUp(Qt::RightButton, Qt::NoModifier, 0, 0); });
    else if (action == FullScreenAction)
        runForReader(window, [window] { window->ActiveMovie1DblClick(); });
    else
        QAccessibleWidget::doAction(action);
}

void AccessibleVideo::reportChanges()
{
    if (const QString now = name(); now != toldName_) {
        toldName_ = now;
        QAccessibleEvent event(window_.ActiveMovie1, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (const QString now = description(); now != toldDescription_) {
        toldDescription_ = now;
        QAccessibleEvent event(window_.ActiveMovie1, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

#include "AccessibleBanner.h"

#include "CD_Quorvate1.h"
#include "ReaderActions.h"

AccessibleBanner::AccessibleBanner(TfrmMain& window)
    : QAccessibleWidget(window.gifBanner, QAccessible::Link), window_(window), toldAddress_(address())
{
}

QString AccessibleBanner::address() const
{
    const int index = window_.sponsorIndex;
    return index >= 0 && index < window_.sponsorUrls.size() ? window_.sponsorUrls.at(index) : QString();
}

QString AccessibleBanner::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        // Without a sponsor the banner keeps its frame and opens nothing.
        return address().isEmpty() ? QStringLiteral("Sponsor banner") : address();
    case QAccessible::Description:
        return QStringLiteral("Sponsor banner");
    default:
        return QAccessibleWidget::text(t);
    }
}

QStringList AccessibleBanner::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void AccessibleBanner::doAction(const QString& action)
{
    TGIFImage* banner = window_.gifBanner;
    if (action == pressAction() && banner->OnClick)
        runForReader(banner, [banner] { banner->OnClick(banner); });
    else
        QAccessibleWidget::doAction(action);
}

void AccessibleBanner::reportChanges()
{
    if (const QString now = address(); now != toldAddress_) {
        toldAddress_ = now;
        QAccessibleEvent event(window_.gifBanner, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

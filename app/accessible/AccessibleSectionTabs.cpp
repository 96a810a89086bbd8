#include "AccessibleSectionTabs.h"

#include <array>

#include "CD_Quorvate1.h"
#include "ReaderActions.h"

std::array<SectionTab, 3> sectionTabsOf(const TfrmMain& window)
{
    return {{{window.imgTrHotspot, QStringLiteral("Training"), window.trPanel},
             {window.imgReHotspot, QStringLiteral("Resources"), window.rePanel},
             {window.ImgSpHotspot, QStringLiteral("Sponsors"), window.spPanel}}};
}

AccessibleSectionTabs::AccessibleSectionTabs(TfrmMain& window)
    : AccessibleComposite(window.imgTabset, QAccessible::PageTabList, QStringLiteral("Sections")), window_(window),
      toldTab_(shownTab())
{
}

int AccessibleSectionTabs::childCount() const
{
    return int(sectionTabsOf(window_).size());
}

QAccessibleInterface* AccessibleSectionTabs::child(int index) const
{
    return index >= 0 && index < childCount()
               ? QAccessible::queryAccessibleInterface(sectionTabsOf(window_)[index].hotspot)
               : nullptr;
}

int AccessibleSectionTabs::shownTab() const
{
    const auto tabs = sectionTabsOf(window_);
    for (int index = 0; index < int(tabs.size()); ++index) {
        if (!tabs[index].section->isHidden())
            return index;
    }
    return -1;
}

void AccessibleSectionTabs::reportChanges()
{
    const int tab = shownTab();
    if (tab == toldTab_)
        return;
    const auto tabs = sectionTabsOf(window_);
    if (toldTab_ >= 0) {
        QAccessibleEvent left(tabs[toldTab_].hotspot, QAccessible::SelectionRemove);
        QAccessible::updateAccessibility(&left);
    }
    if (tab >= 0) {
        QAccessibleEvent chosen(tabs[tab].hotspot, QAccessible::Selection);
        QAccessible::updateAccessibility(&chosen);
    }
    toldTab_ = tab;
}

AccessibleSectionTab::AccessibleSectionTab(TfrmMain& window, const SectionTab& tab)
    : QAccessibleWidget(tab.hotspot, QAccessible::PageTab), window_(window), tab_(tab)
{
}

QString AccessibleSectionTab::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? tab_.name : QAccessibleWidget::text(t);
}

QAccessibleInterface* AccessibleSectionTab::parent() const
{
    return QAccessible::queryAccessibleInterface(window_.imgTabset);
}

QAccessible::State AccessibleSectionTab::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.selectable = true;
    state.selected = !tab_.section->isHidden();
    return state;
}

QStringList AccessibleSectionTab::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void AccessibleSectionTab::doAction(const QString& action)
{
    // The tab takes the focus first, as under a click: hiding the section
    // that held it would send it on to the banner.
    if (action == pressAction() && tab_.hotspot->OnClick)
        runForReader(tab_.hotspot, [hotspot = tab_.hotspot] {
            hotspot->setFocus(Qt::OtherFocusReason);
            hotspot->OnClick();
        });
    else
        QAccessibleWidget::doAction(action);
}

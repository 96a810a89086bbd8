#pragma once

#include <array>

#include <QAccessibleWidget>

#include "AccessibleComposite.h"

class TImage;
class TPanel;
class TfrmMain;

// A section tab: the hot spot over its caption, its name and the section it shows.
struct SectionTab {
    TImage* hotspot;
    QString name;
    const TPanel* section;
};
std::array<SectionTab, 3> sectionTabsOf(const TfrmMain& window);

// The tab strip picture as the list of the three section tabs. The tabs are
// the hot spots lying over its captions.
class AccessibleSectionTabs : public AccessibleComposite {
public:
    explicit AccessibleSectionTabs(TfrmMain& window);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;

    // Tells of another section shown: the tab left and the tab chosen.
    void reportChanges() override;

private:
    int shownTab() const;

    TfrmMain& window_;
    int toldTab_;
};

// A section tab: a hot spot over the tab strip, selected while its section
// shows; pressing it runs the hot spot's own click.
class AccessibleSectionTab : public QAccessibleWidget {
public:
    AccessibleSectionTab(TfrmMain& window, const SectionTab& tab);

    QString text(QAccessible::Text t) const override;
    QAccessibleInterface* parent() const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    TfrmMain& window_;
    SectionTab tab_;
};

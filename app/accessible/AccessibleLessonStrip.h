#pragma once

#include "AccessibleComposite.h"
#include "DrawnPart.h"

class TfrmMain;

// The lesson strip, one picture, as a list of its lessons: "Lesson 1" to
// "Lesson N", led by "Introduction" while the introduction is the clip open.
// The lesson playing is the selected item; activating an item chooses that
// lesson as a click on its row does.
class AccessibleLessonStrip : public AccessibleComposite {
public:
    explicit AccessibleLessonStrip(TfrmMain& window);

    // The description tells how many lessons are watched.
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    // A course may hold very many lessons: an item is found by arithmetic.
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    // The item under the keyboard's cursor while the strip has the focus.
    QAccessibleInterface* focusChild() const override;

    // Tells of a new lesson: the item selected, and the introduction's item gone.
    void reportChanges() override;

    TfrmMain& frmMain() const { return window_; }

private:
    bool introductionListed() const;
    int keyAt(int index) const { return introductionListed() ? index : index + 1; }
    void tellSelection(int lesson, QAccessible::Event event) const;

    TfrmMain& window_;
    DrawnParts items_;
    int toldLesson_;
    bool toldIntroduction_;
};

// One lesson of the strip, or the introduction (lesson 0, which has no row).
class AccessibleLessonItem : public DrawnPart {
public:
    AccessibleLessonItem(AccessibleLessonStrip* strip, int lesson) : DrawnPart(strip), strip_(strip), lesson_(lesson) {}

    int lesson() const { return lesson_; }

    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    AccessibleLessonStrip* strip_;
    int lesson_;
};

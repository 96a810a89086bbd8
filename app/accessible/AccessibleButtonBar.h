#pragma once

#include "AccessibleComposite.h"
#include "DrawnPart.h"

class TMediaPlayer;
class TActiveMovie;

// The player's button bar, drawn as one control, as a tool bar of its Play,
// Pause and Stop buttons. The button of the video's state (Play while it
// plays, Pause, Stop) reads checked.
class AccessibleButtonBar : public AccessibleComposite {
public:
    AccessibleButtonBar(TMediaPlayer* bar, const TActiveMovie& movie);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    // The button under the keyboard's cursor while the bar has the focus.
    QAccessibleInterface* focusChild() const override;

    TMediaPlayer* bar() const;
    // The button of the video's present state, or -1 with no clip open.
    int buttonInEffect() const;

    // Tells the button that lost the checked state and the one that took it.
    void reportChanges() override;

private:
    void tellChecked(int button);

    const TActiveMovie& movie_;
    DrawnParts buttons_;
    int toldInEffect_;
};

// One button of the bar; pressing it clicks it as the mouse does, so the
// bar's click handler runs, then the bar's own action.
class AccessibleBarButton : public DrawnPart {
public:
    AccessibleBarButton(AccessibleButtonBar* bar, int button) : DrawnPart(bar), bar_(bar), button_(button) {}

    int button() const { return button_; }

    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override;
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override;

private:
    AccessibleButtonBar* bar_;
    int button_;
};

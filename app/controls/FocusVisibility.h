#pragma once

#include <QObject>

// Whether the keyboard focus is to be shown, as browsers decide for
// :focus-visible: shown from the first key pressed (a modifier alone does not
// count) until the next press of a mouse button or touch, hidden again then.
// Watches the whole application from its creation until destroyed, ahead of
// the other filters from the time its parent window shows. UI thread only.
class FocusVisibility : public QObject {
    Q_OBJECT

public:
    explicit FocusVisibility(QObject* parent = nullptr);

    bool shown() const { return shown_; }

signals:
    void changed(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setShown(bool shown);

    bool shown_ = false;
};

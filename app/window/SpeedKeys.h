#pragma once

#include <functional>

#include <QObject>

class QKeyEvent;
class QWidget;
class TActiveMovie;

// The speed keys most players use: ] faster, [ slower, Backspace back to the
// clip's own pace; and c, which turns the captions off and on. They act
// anywhere in the main window except where typing goes (a text field, a
// drop-down list or an HTML view), and on the full-screen picture. UI thread
// only.
class SpeedKeys : public QObject {
    Q_OBJECT

public:
    // Watches the keys of the whole application from now until destroyed.
    SpeedKeys(QWidget& window, TActiveMovie& movie);

    // The speed a key asks for from the present one, or 0 for other keys.
    static double speedFor(const QKeyEvent& key, double present);

    // Called on the captions key; the key does nothing while unset.
    std::function<void()> onCaptionsKey;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool actsOn(const QWidget* widget) const;
    bool typingGoesTo(const QWidget* widget) const;
    bool takeKey(const QKeyEvent& key);

    QWidget& window_;
    TActiveMovie& movie_;
};

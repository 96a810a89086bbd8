#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;
class TfrmMain;

// The main window's own keys, heard wherever its focus is:
// - Ctrl+Tab and Ctrl+Page Down show the next section, Ctrl+Shift+Tab and
//   Ctrl+Page Up the one before, through the section's tab, which then has
//   the focus; the last section leads back to the first.
// - Space plays or pauses, through the button bar's own Play or Pause click,
//   while the video, or the bar on Play or Pause, has the focus or the
//   picture fills the screen; on Stop it presses Stop.
// UI thread only.
class WindowKeys : public QObject {
    Q_OBJECT

public:
    // Watches the keys of the whole application from now until destroyed.
    explicit WindowKeys(TfrmMain& window);

    // The sections a key moves by: 1, -1, or 0 for other keys.
    static int sectionStep(const QKeyEvent& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSectionAfter(int step);
    bool playsOrPauses(const QWidget* widget, const QKeyEvent& key) const;
    void playOrPause();

    TfrmMain& window_;
};

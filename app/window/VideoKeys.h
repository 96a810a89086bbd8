#pragma once

#include <QObject>

class TfrmMain;

// The video's own keys while it has the focus: Return or Enter does what a
// click does (the next view), `f` what a double-click does (full screen).
// A key held down acts once. UI thread only.
class VideoKeys : public QObject {
    Q_OBJECT

public:
    explicit VideoKeys(TfrmMain& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TfrmMain& window_;
};

#pragma once

#include <QString>
#include <QWidget>

// A short message for screen readers, such as "Speed 1.2 times" or
// "Captions off": a notification that shows for readers each time it is
// told, and draws nothing. One lives in the main window; telling before it
// exists, or after it is gone, is silent. UI thread only.
class SpokenNotice : public QWidget {
    Q_OBJECT

public:
    explicit SpokenNotice(QWidget* window);
    ~SpokenNotice() override;

    QString text() const { return text_; }

    // Tells readers the message through the window's notice.
    static void tell(const QString& text);

private:
    void show(const QString& text);

    QString text_;
};

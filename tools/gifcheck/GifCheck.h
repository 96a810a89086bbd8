#pragma once

#include <QJsonObject>
#include <QString>

class TGIFImage;

// What the banner checker is asked to do.
struct GifCheckOptions {
    QString file;
    bool json = false;
    int steps = 0;          // animation steps to take after loading
    QString outputFolder;   // empty: no images written
    int speed = 100;
    bool firstImageOnly = false;
};

// Loads a banner into a headless control exactly as the program would show
// it, steps its animation by hand and describes what it saw.
class GifCheck {
public:
    explicit GifCheck(GifCheckOptions options);

    // Runs the check; the report is a JSON object (see report()).
    bool run();
    const QJsonObject& report() const { return report_; }
    // The same facts as plain text, one per line.
    QString text() const;

private:
    QJsonObject describeFrame(const TGIFImage& control, int number) const;
    QJsonObject step(TGIFImage& control, int number, int shownFrame, int displayTime);
    void animate(TGIFImage& control);

    GifCheckOptions options_;
    QJsonObject report_;
};

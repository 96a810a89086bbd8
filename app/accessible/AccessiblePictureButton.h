#pragma once

#include <QAccessibleWidget>

class TImage;

// A picture that acts when clicked (a SEARCH button, the way back to the
// sponsors' index) as a push button; pressing it runs the picture's click.
// Its name is the picture's accessible name.
class AccessiblePictureButton : public QAccessibleWidget {
public:
    explicit AccessiblePictureButton(TImage* picture);

    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    TImage* picture_;
};

#include "AccessiblePictureButton.h"

#include "ReaderActions.h"
#include "controls/Image.h"

AccessiblePictureButton::AccessiblePictureButton(TImage* picture)
    : QAccessibleWidget(picture, QAccessible::Button), picture_(picture)
{
}

QStringList AccessiblePictureButton::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void AccessiblePictureButton::doAction(const QString& action)
{
    if (action == pressAction() && picture_->OnClick)
        runForReader(picture_, [picture = picture_] { picture->OnClick(); });
    else
        QAccessibleWidget::doAction(action);
}

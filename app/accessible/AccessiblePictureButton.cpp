#include "AccessiblePictureButton.h"

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
        picture_->OnClick();
    else
        QAccessibleWidget::doAction(action);
}

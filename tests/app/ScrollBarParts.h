#pragma once

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

// Where a part of a scroll bar (an arrow, the thumb, the groove on either side
// of it) lies, as the bar's style draws it.
inline QRect scrollBarPart(const QScrollBar& bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}

// A left click on one part of the bar, pressed and let go at once.
inline void clickScrollBarPart(QScrollBar& bar, QStyle::SubControl part)
{
    const QPoint at = scrollBarPart(bar, part).center();
    QTest::mousePress(&bar, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(&bar, Qt::LeftButton, Qt::NoModifier, at);
}

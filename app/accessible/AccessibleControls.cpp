#include "AccessibleControls.h"

#include <utility>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <QtWidgets/private/qwidget_p.h>

#include "AccessibleBanner.h"
#include "AccessibleButtonBar.h"
#include "AccessibleComboBox.h"
#include "AccessibleLessonStrip.h"
#include "AccessibleNotice.h"
#include "AccessiblePanel.h"
#include "AccessiblePictureButton.h"
#include "AccessibleSeekBar.h"
#include "AccessibleSectionTabs.h"
#include "AccessibleVideo.h"
#include "CD_Quorvate1.h"
#include "LessonStripCursor.h"
#include "MediaPlayer.h"
#include "SpokenNotice.h"

namespace {

QAccessibleInterface* pictureInterface(TfrmMain& window, TImage* picture)
{
    if (picture == window.Image15)
        return new AccessibleLessonStrip(window);
    if (picture == window.imgTabset)
        return new AccessibleSectionTabs(window);
    for (const SectionTab& tab : sectionTabsOf(window)) {
        if (tab.hotspot == picture)
            return new AccessibleSectionTab(window, tab);
    }
    if (picture->OnClick)
        return new AccessiblePictureButton(picture);
    return new AccessibleDecoration(picture);
}

// The class names of the controls given an interface here; the animated
// picture declares no class name of its own and comes as a plain widget.
bool describedHere(const QString& className)
{
    static const QStringList names = {"TPanel",       "TShape",     "TMediaPlayer", "TDropDownList",
                                      "QComboBox",    "TImage",     "TActiveMovie", "QScrollBar",
                                      "QWidget",      "SpokenNotice", "FocusFrame",   "ProgressOffer"};
    return names.contains(className);
}

// A widget being destroyed still sends events that may ask for its
// interface; one made then would outlive it in Qt's cache.
bool beingDestroyed(QWidget* widget)
{
    return QWidgetPrivate::get(widget)->data.in_destructor;
}

// The window's controls known by the widget itself, each asked for with its
// own class name.
QAccessibleInterface* windowControlInterface(const QString& className, QWidget* widget, TfrmMain& window)
{
    if (className == QLatin1String("TDropDownList") || className == QLatin1String("QComboBox"))
        return new AccessibleComboBox(static_cast<QComboBox*>(widget));
    if (className == QLatin1String("TImage"))
        return pictureInterface(window, static_cast<TImage*>(widget));
    if (className == QLatin1String("TMediaPlayer"))
        return new AccessibleButtonBar(static_cast<TMediaPlayer*>(widget), *window.ActiveMovie1);
    if (className == QLatin1String("TActiveMovie"))
        return widget == window.ActiveMovie1 ? new AccessibleVideo(window) : nullptr;
    if (className == QLatin1String("QScrollBar"))
        return widget == window.ScrollBar1 ? new AccessibleSeekBar(window) : nullptr;
    if (className != QLatin1String("QWidget"))
        return nullptr;
    // The animated picture declares no class name of its own.
    if (widget == window.gifBanner)
        return new AccessibleBanner(window);
    if (dynamic_cast<TGIFImage*>(widget))
        return new AccessibleDecoration(widget);
    return nullptr;
}

// Qt asks with each class name of the object, the most derived first. Other
// objects, such as the HTML engine's scene items, are not even looked at:
// their types may be known only inside their own library.
QAccessibleInterface* interfaceFor(const QString& className, QObject* object)
{
    if (!describedHere(className))
        return nullptr;
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || beingDestroyed(widget))
        return nullptr;
    if (className == QLatin1String("TPanel"))
        return new AccessiblePanel(widget);
    // The keyboard's focus frame only draws what the focused control tells.
    if (className == QLatin1String("TShape") || className == QLatin1String("FocusFrame"))
        return new AccessibleDecoration(widget);
    if (className == QLatin1String("SpokenNotice"))
        return new AccessibleNotice(static_cast<SpokenNotice*>(widget));
    // The offer to go on with the course tells readers of itself as it shows.
    if (className == QLatin1String("ProgressOffer"))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    auto* window = qobject_cast<TfrmMain*>(widget->window());
    return window ? windowControlInterface(className, widget, *window) : nullptr;
}

}  // namespace

void AccessibleControls::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    Q_UNUSED(installed);
}

void AccessibleControls::nameControls(TfrmMain& w)
{
    const std::pair<QWidget*, const char*> names[] = {
        {w.btnClose, "Close"},
        {w.btnMinimize, "Full screen"},
        {w.selBm, "Bookmarks"},
        {w.selBmVal, "Bookmark positions"},
        {w.selTutApp, "Tutorials: application"},
        {w.titleDes, "Tutorials: keyword"},
        {w.imgTutSearch, "Search tutorials"},
        {w.selScriptApp, "Plugins / Scripts: application"},
        {w.txtScript, "Plugins / Scripts: keyword"},
        {w.rdPlugin, "Plugin"},
        {w.rdScript, "Script"},
        {w.imgScriptSearch, "Search plugins and scripts"},
        {w.selJob, "Jobs: industry"},
        {w.txtJob, "Jobs: keyword"},
        {w.imgJobSearch, "Search jobs"},
        {w.selReview, "Reviews / Articles: industry"},
        {w.txtReview, "Reviews / Articles: keyword"},
        {w.rdReview, "Review"},
        {w.rdArticle, "Article"},
        {w.imgReviewSearch, "Search reviews and articles"},
        {w.frelBrowser, "Search results"},
        {w.imgShowall, "Show all sponsors"},
        {w.spBrowser, "Sponsors"},
        {w.adBrowser, "Sponsor banner"},
        // The view inside takes the focus for the page it shows.
        {w.frelBrowser->engine().view(), "Search results"},
        {w.spBrowser->engine().view(), "Sponsors"},
        {w.adBrowser->engine().view(), "Sponsor banner"},
    };
    for (const auto& [control, name] : names) {
        control->setAccessibleName(QString::fromLatin1(name));
        // An editable box's typing field is a control of its own to a reader.
        if (auto* box = qobject_cast<QComboBox*>(control); box && box->lineEdit())
            box->lineEdit()->setAccessibleName(QString::fromLatin1(name));
    }
}

namespace {

void tellFocusChild(QWidget* control)
{
    if (!QAccessible::isActive() || !control->hasFocus())
        return;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    if (QAccessibleInterface* child = iface ? iface->focusChild() : nullptr) {
        QAccessibleEvent focus(child, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

}  // namespace

void AccessibleControls::followKeyboardCursors(TfrmMain& w)
{
    QObject::connect(w.lessonCursor, &LessonStripCursor::cursorMoved, w.Image15, [strip = w.Image15] { tellFocusChild(strip); });
    QObject::connect(w.MediaPlayer1, &TMediaPlayer::cursorMoved, w.MediaPlayer1,
                     [bar = w.MediaPlayer1] { tellFocusChild(bar); });
    // The control's own focus is told as it takes the focus; its item follows.
    QObject::connect(qApp, &QApplication::focusChanged, &w, [strip = w.Image15, bar = w.MediaPlayer1](QWidget*, QWidget* now) {
        if (now == strip || now == bar)
            QTimer::singleShot(0, now, [now] { tellFocusChild(now); });
    });
}

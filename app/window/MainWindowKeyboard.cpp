// The keyboard's way through the window: the pictures that act take the
// focus, Tab visits the controls of the section shown in reading order, the
// lesson strip has a cursor of its own, and a frame shows where the focus is
// once the keyboard is in use. A mouse user sees nothing of it.
#include "CD_Quorvate1.h"

#include "SkinColours.h"
#include "VideoKeys.h"

void TfrmMain::buildKeyboardAccess()
{
    for (QWidget* acting : std::initializer_list<QWidget*>{
             imgTrHotspot, imgReHotspot, ImgSpHotspot, Image15, ActiveMovie1, imgTutSearch, imgScriptSearch,
             imgJobSearch, imgReviewSearch, imgShowall, gifBanner})
        acting->setFocusPolicy(Qt::StrongFocus);
    lessonCursor = new LessonStripCursor(
        Image15, {[this] { return lessonRows(); }, [this] { return currentLesson.toInt(); },
                  [this](std::int32_t lesson) { chooseLesson(lesson); }});
    setKeyboardOrder();
    frameKeyboardFocus();
    new VideoKeys(*this);
}

namespace {

// Puts the control, with its children, right after the other in the Tab
// order. A view that hands the focus to its page moves with the page: left
// behind, it would take the page's turn from where the window built it.
void putAfter(QWidget* previous, QWidget* control)
{
    QWidget* page = control->focusProxy();
    if (!page) {
        QWidget::setTabOrder(previous, control);
        return;
    }
    const Qt::FocusPolicy policy = control->focusPolicy();
    control->setFocusProxy(nullptr);
    control->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(previous, control);
    control->setFocusPolicy(policy);
    control->setFocusProxy(page);
}

QWidget* focusTaker(QWidget* control)
{
    while (control->focusProxy())
        control = control->focusProxy();
    return control;
}

}  // namespace

// The tabs, the section's controls from top to bottom and left to right, then
// the sponsor banner. Hidden controls, those of the hidden sections among
// them, are passed over; a pair of radio buttons is one stop, its arrows
// choosing.
void TfrmMain::setKeyboardOrder()
{
    QWidget* const controls[] = {
        imgTrHotspot, imgReHotspot, ImgSpHotspot,
        Image15, ActiveMovie1, MediaPlayer1, selBm, ScrollBar1,
        selTutApp, titleDes, imgTutSearch, rdPlugin, rdScript, selScriptApp, txtScript, imgScriptSearch,
        selJob, txtJob, imgJobSearch, rdReview, rdArticle, selReview, txtReview, imgReviewSearch, frelBrowser,
        imgShowall, spBrowser,
        gifBanner, adBrowser,
    };
    for (std::size_t i = 1; i < std::size(controls); ++i)
        putAfter(focusTaker(controls[i - 1]), controls[i]);
}

// The skinned controls show the focus with the window's frame; the standard
// controls show it their own way, except the seek bar and the radio buttons,
// which draw none.
void TfrmMain::frameKeyboardFocus()
{
    focusVisibility = new FocusVisibility(this);
    focusFrame = new FocusFrame(*this, *focusVisibility, SkinColours::kSilver, SkinColours::kStripDark);
    // Like every place it goes to, a panel, where readers pass it by.
    focusFrame->setParent(Panel2);
    for (QWidget* control : std::initializer_list<QWidget*>{
             imgTrHotspot, imgReHotspot, ImgSpHotspot, ActiveMovie1, ScrollBar1, imgTutSearch, imgScriptSearch,
             imgJobSearch, imgReviewSearch, rdPlugin, rdScript, rdReview, rdArticle, imgShowall, gifBanner})
        focusFrame->follow(control);
    focusFrame->follow(Image15, [this] { return lessonCursor->cursorRect(); });
    focusFrame->follow(MediaPlayer1, [this] { return MediaPlayer1->cursorRect(); });
    connect(lessonCursor, &LessonStripCursor::cursorMoved, focusFrame, &FocusFrame::refresh);
    connect(MediaPlayer1, &TMediaPlayer::cursorMoved, focusFrame, &FocusFrame::refresh);
}

// The start-up sequence: reads the course configuration, chooses lesson mode
// or single-video mode, skins the controls, opens the local pages, the button
// bar's sound and the first video, and fixes the window's frame and size. An
// error ends the sequence where it happens; the window then opens as it is.
#include "CD_Quorvate1.h"

#include <QFileInfo>

#include "Conversions.h"
#include "IniStore.h"
#include "SkinColours.h"
#include "WindowsDir.h"

namespace {

using namespace SkinColours;

std::int32_t readInteger(IniStore& ini, const QString& section, const QString& key, const QString& defaultValue)
{
    return Conversions::strToInt(ini.read(section, key, defaultValue));
}

void frameAround(TShape* border, const QWidget* view)
{
    border->setGeometry(view->x() - 1, view->y() - 1, view->width() + 2, view->height() + 2);
}

// The box keeps its own text and has no item selected.
void appendItems(QComboBox* box, const QStringList& items)
{
    const QString text = box->currentText();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

}  // namespace

void TfrmMain::FormCreate()
{
    readConfiguration();
    readSponsorList();
    adBrowser->move(gifBanner->x(), gifBanner->y());
    sponsorIndex = sponsorCount;
    adSwap();
    screenMode = QStringLiteral("normal");
    windowsDir = getWindowsDir(services_.dataFolder);
    Panel2->setGeometry(-5, -5, Panel2->width(), 768);
    Panel2->setColor(kStripDark);
    for (TPanel* section : {trPanel, rePanel, spPanel})
        section->move(section->x(), 100);
    loadSkinPictures();
    openLocalPages();
    styleSearchForms();
    positionPlayer(viewGeometry[ViewGeometry::NormalTop], viewGeometry[ViewGeometry::NormalLeft],
                   viewGeometry[ViewGeometry::NormalWidth], viewGeometry[ViewGeometry::NormalHeight]);
    MediaPlayer1->setFileName(mediaPath(QStringLiteral("Media\\blank.wav")));
    MediaPlayer1->Open();
    loadFirstVideo();
    // The window never scrolls its content, so no scroll offset is left to cancel.
    fixWindowFrame();
    update();
    raise();
    activateWindow();
}

void TfrmMain::readConfiguration()
{
    IniStore qel;
    qel.open(mediaPath(QStringLiteral("qel.ini")), IniStore::Access::ReadCourseFile);
    numLessons = readInteger(qel, QStringLiteral("Full"), QStringLiteral("numLessons"), QStringLiteral("-1"));
    if (numLessons >= 1)
        readLessonModeConfiguration(qel);
    else
        arrangeSingleVideoMode(qel);
    qel.close();
}

void TfrmMain::readLessonModeConfiguration(IniStore& qel)
{
    const QString full = QStringLiteral("Full");
    lessonSp = readInteger(qel, full, QStringLiteral("lessonSp"), QStringLiteral("-1"));
    lessonOffset = readInteger(qel, full, QStringLiteral("lessonOffset"), QStringLiteral("-1"));
    lessonHeight = readInteger(qel, full, QStringLiteral("lessonHeight"), QStringLiteral("-1"));
    selDrawOffset = readInteger(qel, full, QStringLiteral("selDrawOffset"), QStringLiteral("-1"));
    bookmarkFileName = qel.read(full, QStringLiteral("bookmark"), QStringLiteral("-1"));
    Image15->loadPicture(mediaPath(QStringLiteral("Media\\img_lessons_qel.jpg")));
    // A missing or broken highlight picture only leaves the highlight empty.
    imgHighlite->LoadFromFile(mediaPath(QStringLiteral("Media\\imgSel.gif")));
}

void TfrmMain::arrangeSingleVideoMode(IniStore& qel)
{
    lessonName = qel.read(QStringLiteral("Main"), QStringLiteral("name"), QStringLiteral("default"));
    bookmarkFileName = QStringLiteral("dlqel.ini");
    viewGeometry.useSingleVideoNormalView();
    img_lessons_title->hide();
    img_vid_title->move(6, img_vid_title->y() - 3);
    Image15->hide();
    gifBanner->move(260, gifBanner->y());
    imgAdBk->move(259, imgAdBk->y());
    frelBrowser->setGeometry(4, 50, 728, 553);
    selTutApp->hide();
    Image6->loadPicture(mediaPath(QStringLiteral("Media\\tutorials_label_sml.jpg")));
    Image12->loadPicture(mediaPath(QStringLiteral("Media\\jobs_label_sml.jpg")));
    for (QWidget* control : std::initializer_list<QWidget*>{
             Image7, imgTutLabel, imgResultsLabel, imgScLable, Image11, Image19, scriptCon, scriptConPanel,
             rdPlugin, Image9, rdScript, Image10, Image4, Image8, selScriptApp, txtScript, imgScriptSearch,
             reviewCon, reviewConPannel, rdReview, Image18, Image1, selReview, txtReview, imgReviewSearch})
        control->hide();
    tutorialCon->setGeometry(98, 11, 263, 31);
    Image6->move(104, 18);
    titleDes->move(167, 16);
    imgTutSearch->move(293, 17);
    jobCon->setGeometry(384, 11, 238, 31);
    Image12->move(390, 18);
    txtJob->move(429, 16);
    imgJobSearch->move(554, 17);
}

void TfrmMain::loadSkinPictures()
{
    const QString background = mediaPath(QStringLiteral("Media\\main_bk.jpg"));
    img_lessons_title->loadPicture(mediaPath(QStringLiteral("Media\\img_lessons.jpg")));
    img_vid_title->loadPicture(mediaPath(QStringLiteral("Media\\vid_title.jpg")));
    imgMainBk->loadPicture(background);
    imgLessonClstrip->move(0, 0);
    imgLessonClstrip->loadPicture(mediaPath(QStringLiteral("Media\\lessons2_top_clstrip.jpg")));
    imgRsClstrip->move(0, 0);
    imgRsClstrip->loadPicture(mediaPath(QStringLiteral("Media\\main2_top_clstrip.jpg")));
    imgSpTabline->move(imgSpTabline->x(), 0);
    imgSpTabline->loadPicture(mediaPath(QStringLiteral("Media\\sp2_clstrip.jpg")));
    Image3->loadPicture(background);
    imgSpBkg->loadPicture(background);
}

void TfrmMain::openLocalPages()
{
    frelBrowser->Navigate(mediaPath(QStringLiteral("Media\\frel_mabr.htm")));
    frameAround(browserBorder, frelBrowser);
    spBrowser->Navigate(mediaPath(QStringLiteral("Sponsors\\index.htm")));
    frameAround(browserBorder2, spBrowser);
    imgShowall->loadPicture(mediaPath(QStringLiteral("Media\\showall.jpg")));
}

void TfrmMain::styleSearchForms()
{
    const QStringList industries = {QStringLiteral("3D Production"), QStringLiteral("Game Development"),
                                    QStringLiteral("2D Production"), QStringLiteral("Web Development")};
    tutorialCon->setPenColor(kOutlineViolet);
    tutorialCon->setBrushColor(kFrameNavy);
    setBackgroundColour(titleDes, kStripDark);
    setBackgroundColour(selTutApp, kStripDark);
    appendItems(selTutApp, {QStringLiteral("All 3D"), QStringLiteral("3ds max"), QStringLiteral("Maya"),
                            QStringLiteral("Softimage XSI"), QStringLiteral("Lightwave"), QStringLiteral("PHP")});
    scriptConPanel->setColor(kFrameNavy);
    scriptCon->setPenColor(kOutlineViolet);
    scriptCon->setBrushColor(kFrameNavy);
    setBackgroundColour(txtScript, kStripDark);
    setBackgroundColour(selScriptApp, kStripDark);
    appendItems(selScriptApp, {QStringLiteral("All"), QStringLiteral("3ds max"), QStringLiteral("Maya"),
                               QStringLiteral("PHP"), QStringLiteral("Javascript")});
    jobCon->setPenColor(kOutlineViolet);
    jobCon->setBrushColor(kFrameNavy);
    setBackgroundColour(txtJob, kStripDark);
    setBackgroundColour(selJob, kStripDark);
    appendItems(selJob, industries);
    appendItems(selReview, industries);
}

void TfrmMain::loadFirstVideo()
{
    imgHighlite->move(imgHighlite->x(), lessonRows().highlightTop(1, selDrawOffset));
    const QString introduction = mediaPath(QStringLiteral("Media\\vid_00.avi"));
    if (QFileInfo(introduction).isFile()) {
        imgHighlite->setVisibleFlag(false);
        ActiveMovie1->setFileName(introduction);
        currentLesson = QStringLiteral("0");
        return;
    }
    imgHighlite->setVisibleFlag(numLessons >= 1);
    ActiveMovie1->setFileName(mediaPath(QStringLiteral("Media\\vid_01.avi")));
    currentLesson = QStringLiteral("1");
}

// A single fixed border with the system menu and the minimise box only.
void TfrmMain::fixWindowFrame()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    fixedBorder_ = true;
    setOuterSize(viewGeometry[ViewGeometry::NormalWindowWidth], viewGeometry[ViewGeometry::NormalWindowHeight]);
}

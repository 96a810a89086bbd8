// The main window's controls as the window is created: places, sizes,
// colours, pictures and visibility before the start-up sequence changes them.
// Within a parent, controls are created in the order of the layout, pictures
// and shapes first and windowed controls after them, so that later siblings
// lie above earlier ones and windowed controls above the pictures.
#include "CD_Quorvate1.h"

#include <QFont>

#include "BuiltInPictures.h"
#include "SkinColours.h"

namespace {

using namespace SkinColours;

template <class Control>
Control* placed(Control* control, int left, int top, int width, int height)
{
    control->setGeometry(left, top, width, height);
    return control;
}

TImage* image(QWidget* parent, int left, int top, int width, int height, const QImage& picture = QImage())
{
    TImage* control = placed(new TImage(parent), left, top, width, height);
    control->setPicture(picture);
    return control;
}

TImage* handImage(QWidget* parent, int left, int top, int width, int height, const QImage& picture)
{
    TImage* control = image(parent, left, top, width, height, picture);
    control->setCursor(Qt::PointingHandCursor);
    return control;
}

TShape* shape(QWidget* parent, int left, int top, int width, int height, QColor pen, QColor brush)
{
    return placed(new TShape(parent, pen, brush), left, top, width, height);
}

QComboBox* editableCombo(QWidget* parent, int left, int top, const QString& text)
{
    QComboBox* combo = placed(new QComboBox(parent), left, top, 120, 21);
    combo->setEditable(true);
    combo->setEditText(text);
    setFontColour(combo, kSilver);
    return combo;
}

QLineEdit* edit(QWidget* parent, int left, int top)
{
    QLineEdit* control = placed(new QLineEdit(parent), left, top, 120, 21);
    setFontColour(control, kSilver);
    return control;
}

QComboBox* dropDownList(QWidget* parent, int left, int top, int width)
{
    return placed(new QComboBox(parent), left, top, width, 21);
}

QRadioButton* radio(QWidget* parent, int left, int top, int width, int height, bool checked)
{
    QRadioButton* button = placed(new QRadioButton(parent), left, top, width, height);
    button->setChecked(checked);
    return button;
}

QPushButton* hiddenButton(QWidget* parent, const QString& caption, int left, int top, int width, int height)
{
    QPushButton* button = placed(new QPushButton(caption, parent), left, top, width, height);
    button->hide();
    return button;
}

TGIFImage* gifImage(QWidget* parent, int left, int top, int width, int height, bool animate)
{
    TGIFImage* control = placed(new TGIFImage(parent), left, top, width, height);
    control->setAnimate(animate);
    control->setLoop(false);
    control->setStretch(false);
    control->setCenter(false);
    control->setTile(false);
    control->setOpaque(false);
    control->setThreaded(false);
    control->setFirstImageOnly(false);
    return control;
}

TEmbeddedWB* htmlView(QWidget* parent, PlatformServices& services, int left, int top, int width, int height,
                      bool scrollBars)
{
    TEmbeddedWB* view = placed(new TEmbeddedWB(parent, services.makeHtmlEngine()), left, top, width, height);
    view->setDownloadOptions({TEmbeddedWB::DLCTL_DLIMAGES, TEmbeddedWB::DLCTL_VIDEOS, TEmbeddedWB::DLCTL_BGSOUNDS});
    TEmbeddedWB::TUserInterfaceOptions options = {TEmbeddedWB::DISABLE_HELP_MENU, TEmbeddedWB::NO3DBORDER};
    if (!scrollBars)
        options |= TEmbeddedWB::SCROLL_NO;
    view->setUserInterfaceOptions(options);
    return view;
}

}  // namespace

void TfrmMain::buildLayout()
{
    setWindowTitle(QStringLiteral("Tovrelle"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    move(212, 164);
    setOuterSize(1030, 716);

    Panel2 = placed(new TPanel(this, kBlack), 24, -201, 1100, 2000);
    btnClose = hiddenButton(this, QStringLiteral("X"), 824, -219, 20, 18);
    QFont bold = btnClose->font();
    bold.setBold(true);
    btnClose->setFont(bold);
    aVidPanel = placed(new TPanel(this, kBlack), 303, -65, 720, 540);
    ActiveMovie1 = placed(new TActiveMovie(aVidPanel, services_.makeVideoControl()), 1, 1, 720, 540);
    ActiveMovie1->setFullScreenMode(false);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer2 = new QTimer(this);
    Timer2->setInterval(60000);

    buildTopBand();
    buildTrainingSection();
    buildResourcesSection();
    buildSponsorsSection();
    Timer1->start();
    Timer2->start();
}

void TfrmMain::buildTopBand()
{
    imgHeader = image(Panel2, 5, 6, 1014, 70, BuiltInPictures::header());
    imgTabset = image(Panel2, 3, 82, 300, 18, BuiltInPictures::tabStrip());
    imgTrHotspot = image(Panel2, 7, 84, 78, 15);
    imgReHotspot = image(Panel2, 104, 83, 84, 17);
    ImgSpHotspot = image(Panel2, 205, 84, 78, 15);
    imgAdBk = image(Panel2, 422, 11, 472, 62, BuiltInPictures::bannerFrame());
    gifBanner = gifImage(Panel2, 423, 12, 470, 60, true);
    gifBanner->setCursor(Qt::PointingHandCursor);

    trPanel = placed(new TPanel(Panel2, kSectionPurple), 3, 101, 1015, 645);
    rePanel = placed(new TPanel(Panel2, kSectionPurple), 3, 752, 1015, 637);
    rePanel->hide();
    spPanel = placed(new TPanel(Panel2, kSectionPurple), 3, 1395, 1015, 637);
    spPanel->hide();
    adBrowser = htmlView(Panel2, services_, 283, 16, 468, 60, false);
}

void TfrmMain::buildTrainingSection()
{
    imgMainBk = image(trPanel, 1, 0, 1014, 626);
    Image15 = image(trPanel, 15, 36, 285, 551);
    imgHighliteJ = image(trPanel, 16, 75, 36, 40);
    imgHighliteJ->hide();
    img_lessons_title = image(trPanel, 15, 12, 110, 23);
    img_vid_title = image(trPanel, 281, 13, 720, 22);
    imgLessonClstrip = image(trPanel, 0, 4, 1020, 9, BuiltInPictures::thinLine());
    imgHighlite2 = image(trPanel, 233, 75, 36, 40);
    imgHighlite2->hide();
    imgHighlite = gifImage(trPanel, 16, 143, 253, 42, false);
    imgHighlite->setVisibleFlag(false);

    controlPanel = placed(new TPanel(trPanel, kStripDark), 279, 580, 722, 22);
    selBm = dropDownList(controlPanel, 200, 0, 112);
    MediaPlayer1 = placed(new TMediaPlayer(trPanel, services_.makeWaveDevice()), 279, 580, 200, 21);
    ScrollBar1 = placed(new QScrollBar(Qt::Horizontal, trPanel), 591, 580, 411, 21);
    ScrollBar1->setRange(0, 100);
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setPageStep(1);
    btnMinimize = hiddenButton(trPanel, QString(), 93, 577, 75, 20);
    selBmVal = dropDownList(trPanel, 82, 612, 100);
    selBmVal->hide();
}

void TfrmMain::buildResourcesSection()
{
    Image3 = image(rePanel, 1, 0, 1014, 621);
    imgRsClstrip = image(rePanel, 1, 5, 1020, 1);
    tutorialCon = shape(rePanel, 16, 40, 227, 94, kSilver, kBlack);
    imgTutLabel = image(rePanel, 19, 14, 80, 25, BuiltInPictures::tutorialsLabel());
    Image6 = image(rePanel, 28, 51, 80, 26, BuiltInPictures::applicationLabel());
    Image7 = image(rePanel, 28, 73, 73, 23, BuiltInPictures::keywordLabel());
    imgTutSearch = handImage(rePanel, 167, 101, 63, 20, BuiltInPictures::searchButton());
    imgScLable = image(rePanel, 18, 152, 151, 26, BuiltInPictures::pluginsScriptsLabel());
    scriptCon = shape(rePanel, 16, 175, 227, 120, kSilver, kBlack);
    Image4 = image(rePanel, 28, 215, 80, 26, BuiltInPictures::applicationLabel());
    Image8 = image(rePanel, 28, 238, 73, 23, BuiltInPictures::keywordLabel());
    imgScriptSearch = handImage(rePanel, 170, 264, 63, 20, BuiltInPictures::searchButton());
    Image11 = image(rePanel, 17, 311, 47, 24, BuiltInPictures::jobsLabel());
    jobCon = shape(rePanel, 15, 335, 227, 98, kSilver, kBlack);
    Image12 = image(rePanel, 28, 371, 73, 23, BuiltInPictures::keywordLabel());
    Image13 = image(rePanel, 28, 347, 62, 20, BuiltInPictures::industryLabel());
    imgJobSearch = handImage(rePanel, 167, 399, 63, 20, BuiltInPictures::searchButton());
    imgResultsLabel = image(rePanel, 250, 18, 76, 28, BuiltInPictures::resultsLabel());
    reviewCon = shape(rePanel, 15, 477, 227, 125, kOutlineViolet, kFrameNavy);
    imgReviewSearch = handImage(rePanel, 167, 571, 64, 21, BuiltInPictures::searchButton());
    Image1 = image(rePanel, 26, 542, 60, 21, BuiltInPictures::keywordLabel());
    Image18 = image(rePanel, 27, 515, 80, 26, BuiltInPictures::industryLabel());
    Image19 = image(rePanel, 17, 453, 146, 22, BuiltInPictures::reviewsArticlesLabel());
    browserBorder = shape(rePanel, 409, 12, 82, 22, kOutlineViolet, kFrameNavy);

    selTutApp = editableCombo(rePanel, 110, 50, QStringLiteral("All"));
    titleDes = edit(rePanel, 110, 75);
    selScriptApp = editableCombo(rePanel, 112, 214, QStringLiteral("All"));
    txtScript = edit(rePanel, 112, 239);
    scriptConPanel = placed(new TPanel(rePanel, kButtonFace), 26, 183, 196, 25);
    txtJob = edit(rePanel, 112, 372);
    selJob = editableCombo(rePanel, 112, 346, QStringLiteral("3D Production"));
    selReview = editableCombo(rePanel, 112, 515, QStringLiteral("3D Production"));
    txtReview = edit(rePanel, 111, 542);
    reviewConPannel = placed(new TPanel(rePanel, kFrameNavy), 26, 485, 196, 25);
    frelBrowser = htmlView(rePanel, services_, 251, 41, 756, 560, true);
    setBackgroundColour(selReview, kStripDark);
    setBackgroundColour(txtReview, kStripDark);
    buildScriptAndReviewChoices();
}

void TfrmMain::buildScriptAndReviewChoices()
{
    Image9 = image(scriptConPanel, 31, 2, 51, 23, BuiltInPictures::pluginLabel());
    Image10 = image(scriptConPanel, 136, 2, 43, 22, BuiltInPictures::scriptLabel());
    rdPlugin = radio(scriptConPanel, 13, 4, 17, 16, false);
    rdScript = radio(scriptConPanel, 119, 4, 18, 18, true);
    Image2 = image(reviewConPannel, 32, 2, 43, 15, BuiltInPictures::reviewLabel());
    Image17 = image(reviewConPannel, 136, 1, 42, 17, BuiltInPictures::articleLabel());
    rdReview = radio(reviewConPannel, 13, 4, 14, 12, true);
    rdArticle = radio(reviewConPannel, 119, 4, 14, 11, false);
}

void TfrmMain::buildSponsorsSection()
{
    imgSpBkg = image(spPanel, 1, 0, 1014, 621);
    imgSpTabline = image(spPanel, 0, 5, 1020, 5);
    browserBorder2 = shape(spPanel, 288, 21, 85, 32, kOutlineViolet, kFrameNavy);
    imgShowall = handImage(spPanel, 5, 29, 98, 30, QImage());
    spBrowser = htmlView(spPanel, services_, 7, 58, 720, 540, false);
}

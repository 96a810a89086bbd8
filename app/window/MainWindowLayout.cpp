// The main window's controls as the window is created: places, sizes,
// colours, pictures and visibility before the start-up sequence changes them.
// Within a parent, controls are created in the order of the layout, pictures
// and shapes first and windowed controls after them, so that later siblings
// lie above earlier ones and windowed controls above the pictures. A panel's
// controls are created before the panel's later windowed siblings, so that
// the Tab key goes through them in the layout's order.
#include "CD_Quorvate1.h"

#include <QFont>

#include "BuiltInPictures.h"
#include "ProgramFont.h"
#include "SkinColours.h"

namespace {

using namespace SkinColours;

// Controls carry their layout names, which also makes them easy to find in a running window.
template <class Control>
Control* named(Control* control, const char* name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

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
    // Typing into the box never adds to its fixed list of items.
    combo->setInsertPolicy(QComboBox::NoInsert);
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

TDropDownList* dropDownList(QWidget* parent, int left, int top, int width)
{
    return placed(new TDropDownList(parent), left, top, width, 21);
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
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tovrelle"));
    setFont(programFont());
    move(212, 164);
    setOuterSize(1030, 716);

    Panel2 = named(placed(new TPanel(this, kBlack), 24, -201, 1100, 2000), "Panel2");
    btnClose = named(hiddenButton(this, QStringLiteral("X"), 824, -219, 20, 18), "btnClose");
    QFont bold = btnClose->font();
    bold.setBold(true);
    btnClose->setFont(bold);
    // A coarse timer may fire 5 % early or late: the seek bar's second and
    // the banner's minute keep their length.
    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(1000);
    Timer2 = named(new QTimer(this), "Timer2");
    Timer2->setTimerType(Qt::PreciseTimer);
    Timer2->setInterval(60000);

    buildTopBand();
    buildTrainingSection();
    buildResourcesSection();
    buildSponsorsSection();
    adBrowser = named(htmlView(Panel2, services_, 283, 16, 468, 60, false), "adBrowser");
    // Shown with the first HTML banner: without a sponsor the banner area
    // keeps its frame only, and the view no page.
    adBrowser->hide();
    aVidPanel = named(placed(new TPanel(this, kBlack), 303, -65, 720, 540), "aVidPanel");
    ActiveMovie1 = named(placed(new TActiveMovie(aVidPanel, services_.makeVideoControl()), 1, 1, 720, 540), "ActiveMovie1");
    ActiveMovie1->setFullScreenMode(false);
    Timer1->start();
    Timer2->start();
}

void TfrmMain::buildTopBand()
{
    imgHeader = named(image(Panel2, 5, 6, 1014, 70, BuiltInPictures::header()), "imgHeader");
    imgTabset = named(image(Panel2, 3, 82, 300, 18, BuiltInPictures::tabStrip()), "imgTabset");
    imgTrHotspot = named(image(Panel2, 7, 84, 78, 15), "imgTrHotspot");
    imgReHotspot = named(image(Panel2, 104, 83, 84, 17), "imgReHotspot");
    ImgSpHotspot = named(image(Panel2, 205, 84, 78, 15), "ImgSpHotspot");
    imgAdBk = named(image(Panel2, 422, 11, 472, 62, BuiltInPictures::bannerFrame()), "imgAdBk");
    gifBanner = named(gifImage(Panel2, 423, 12, 470, 60, true), "gifBanner");
    gifBanner->setCursor(Qt::PointingHandCursor);

    trPanel = named(placed(new TPanel(Panel2, kSectionPurple), 3, 101, 1015, 645), "trPanel");
    rePanel = named(placed(new TPanel(Panel2, kSectionPurple), 3, 752, 1015, 637), "rePanel");
    rePanel->hide();
    spPanel = named(placed(new TPanel(Panel2, kSectionPurple), 3, 1395, 1015, 637), "spPanel");
    spPanel->hide();
}

void TfrmMain::buildTrainingSection()
{
    imgMainBk = named(image(trPanel, 1, 0, 1014, 626), "imgMainBk");
    Image15 = named(image(trPanel, 15, 36, 285, 551), "Image15");
    imgHighliteJ = named(image(trPanel, 16, 75, 36, 40), "imgHighliteJ");
    imgHighliteJ->hide();
    img_lessons_title = named(image(trPanel, 15, 12, 110, 23), "img_lessons_title");
    img_vid_title = named(image(trPanel, 281, 13, 720, 22), "img_vid_title");
    imgLessonClstrip = named(image(trPanel, 0, 4, 1020, 9, BuiltInPictures::thinLine()), "imgLessonClstrip");
    imgHighlite2 = named(image(trPanel, 233, 75, 36, 40), "imgHighlite2");
    imgHighlite2->hide();
    imgHighlite = named(gifImage(trPanel, 16, 143, 253, 42, false), "imgHighlite");
    imgHighlite->setVisibleFlag(false);

    controlPanel = named(placed(new TPanel(trPanel, kStripDark), 279, 580, 722, 22), "controlPanel");
    selBm = named(dropDownList(controlPanel, 200, 0, 112), "selBm");
    MediaPlayer1 = named(placed(new TMediaPlayer(trPanel, services_.makeWaveDevice()), 279, 580, 200, 21), "MediaPlayer1");
    ScrollBar1 = named(placed(new QScrollBar(Qt::Horizontal, trPanel), 591, 580, 411, 21), "ScrollBar1");
    ScrollBar1->setRange(0, 100);
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setPageStep(1);
    // A scroll bar control takes its turn in the Tab order and is moved by its keys.
    ScrollBar1->setFocusPolicy(Qt::StrongFocus);
    btnMinimize = named(hiddenButton(trPanel, QString(), 93, 577, 75, 20), "btnMinimize");
    selBmVal = named(dropDownList(trPanel, 82, 612, 100), "selBmVal");
    selBmVal->hide();
}

void TfrmMain::buildResourcesSection()
{
    Image3 = named(image(rePanel, 1, 0, 1014, 621), "Image3");
    imgRsClstrip = named(image(rePanel, 1, 5, 1020, 1), "imgRsClstrip");
    tutorialCon = named(shape(rePanel, 16, 40, 227, 94, kSilver, kBlack), "tutorialCon");
    imgTutLabel = named(image(rePanel, 19, 14, 80, 25, BuiltInPictures::tutorialsLabel()), "imgTutLabel");
    Image6 = named(image(rePanel, 28, 51, 80, 26, BuiltInPictures::applicationLabel()), "Image6");
    Image7 = named(image(rePanel, 28, 73, 73, 23, BuiltInPictures::keywordLabel()), "Image7");
    imgTutSearch = named(handImage(rePanel, 167, 101, 63, 20, BuiltInPictures::searchButton()), "imgTutSearch");
    imgScLable = named(image(rePanel, 18, 152, 151, 26, BuiltInPictures::pluginsScriptsLabel()), "imgScLable");
    scriptCon = named(shape(rePanel, 16, 175, 227, 120, kSilver, kBlack), "scriptCon");
    Image4 = named(image(rePanel, 28, 215, 80, 26, BuiltInPictures::applicationLabel()), "Image4");
    Image8 = named(image(rePanel, 28, 238, 73, 23, BuiltInPictures::keywordLabel()), "Image8");
    imgScriptSearch = named(handImage(rePanel, 170, 264, 63, 20, BuiltInPictures::searchButton()), "imgScriptSearch");
    Image11 = named(image(rePanel, 17, 311, 47, 24, BuiltInPictures::jobsLabel()), "Image11");
    jobCon = named(shape(rePanel, 15, 335, 227, 98, kSilver, kBlack), "jobCon");
    Image12 = named(image(rePanel, 28, 371, 73, 23, BuiltInPictures::keywordLabel()), "Image12");
    Image13 = named(image(rePanel, 28, 347, 62, 20, BuiltInPictures::industryLabel()), "Image13");
    imgJobSearch = named(handImage(rePanel, 167, 399, 63, 20, BuiltInPictures::searchButton()), "imgJobSearch");
    imgResultsLabel = named(image(rePanel, 250, 18, 76, 28, BuiltInPictures::resultsLabel()), "imgResultsLabel");
    reviewCon = named(shape(rePanel, 15, 477, 227, 125, kOutlineViolet, kFrameNavy), "reviewCon");
    imgReviewSearch = named(handImage(rePanel, 167, 571, 64, 21, BuiltInPictures::searchButton()), "imgReviewSearch");
    Image1 = named(image(rePanel, 26, 542, 60, 21, BuiltInPictures::keywordLabel()), "Image1");
    Image18 = named(image(rePanel, 27, 515, 80, 26, BuiltInPictures::industryLabel()), "Image18");
    Image19 = named(image(rePanel, 17, 453, 146, 22, BuiltInPictures::reviewsArticlesLabel()), "Image19");
    browserBorder = named(shape(rePanel, 409, 12, 82, 22, kOutlineViolet, kFrameNavy), "browserBorder");

    selTutApp = named(editableCombo(rePanel, 110, 50, QStringLiteral("All")), "selTutApp");
    titleDes = named(edit(rePanel, 110, 75), "titleDes");
    selScriptApp = named(editableCombo(rePanel, 112, 214, QStringLiteral("All")), "selScriptApp");
    txtScript = named(edit(rePanel, 112, 239), "txtScript");
    scriptConPanel = named(placed(new TPanel(rePanel, kButtonFace), 26, 183, 196, 25), "scriptConPanel");
    buildScriptChoice();
    txtJob = named(edit(rePanel, 112, 372), "txtJob");
    selJob = named(editableCombo(rePanel, 112, 346, QStringLiteral("3D Production")), "selJob");
    selReview = named(editableCombo(rePanel, 112, 515, QStringLiteral("3D Production")), "selReview");
    txtReview = named(edit(rePanel, 111, 542), "txtReview");
    reviewConPannel = named(placed(new TPanel(rePanel, kFrameNavy), 26, 485, 196, 25), "reviewConPannel");
    buildReviewChoice();
    frelBrowser = named(htmlView(rePanel, services_, 251, 41, 756, 560, true), "frelBrowser");
    setBackgroundColour(selReview, kStripDark);
    setBackgroundColour(txtReview, kStripDark);
}

void TfrmMain::buildScriptChoice()
{
    Image9 = named(image(scriptConPanel, 31, 2, 51, 23, BuiltInPictures::pluginLabel()), "Image9");
    Image10 = named(image(scriptConPanel, 136, 2, 43, 22, BuiltInPictures::scriptLabel()), "Image10");
    rdPlugin = named(radio(scriptConPanel, 13, 4, 17, 16, false), "rdPlugin");
    rdScript = named(radio(scriptConPanel, 119, 4, 18, 18, true), "rdScript");
}

void TfrmMain::buildReviewChoice()
{
    Image2 = named(image(reviewConPannel, 32, 2, 43, 15, BuiltInPictures::reviewLabel()), "Image2");
    Image17 = named(image(reviewConPannel, 136, 1, 42, 17, BuiltInPictures::articleLabel()), "Image17");
    rdReview = named(radio(reviewConPannel, 13, 4, 14, 12, true), "rdReview");
    rdArticle = named(radio(reviewConPannel, 119, 4, 14, 11, false), "rdArticle");
}

void TfrmMain::buildSponsorsSection()
{
    imgSpBkg = named(image(spPanel, 1, 0, 1014, 621), "imgSpBkg");
    imgSpTabline = named(image(spPanel, 0, 5, 1020, 5), "imgSpTabline");
    browserBorder2 = named(shape(spPanel, 288, 21, 85, 32, kOutlineViolet, kFrameNavy), "browserBorder2");
    imgShowall = named(handImage(spPanel, 5, 29, 98, 30, QImage()), "imgShowall");
    spBrowser = named(htmlView(spPanel, services_, 7, 58, 720, 540, false), "spBrowser");
}

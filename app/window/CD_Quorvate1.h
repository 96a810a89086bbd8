#pragma once

#include <cstdint>
#include <optional>
#include <set>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "ActiveMovie.h"
#include "AppPaths.h"
#include "CourseFiles.h"
#include "EmbeddedWB.h"
#include "GIFImage.h"
#include "LessonRows.h"
#include "LessonStripCursor.h"
#include "MediaPlayer.h"
#include "PlatformServices.h"
#include "ViewGeometry.h"
#include "bookmarks/BookmarkFile.h"
#include "bookmarks/BookmarkLists.h"
#include "controls/DropDownList.h"
#include "controls/FocusFrame.h"
#include "controls/FocusVisibility.h"
#include "controls/Image.h"
#include "controls/Panel.h"
#include "controls/ScrollBarNotifier.h"
#include "controls/Shape.h"

class TfrmBm;

// The main window: the skinned surface with the training, resources and
// sponsors sections, the lesson video and the sponsor banner. It owns every
// control and the state the sections share. Controls carry the names of the
// window's layout; handlers are named control plus event.
class TfrmMain : public QWidget {
    Q_OBJECT
public:
    // Builds the controls and runs the start-up sequence. An error in the
    // sequence is reported and the window opens in the state reached.
    TfrmMain(const AppPaths& paths, PlatformServices& services);

    // Operations the sections call on each other.
    void positionPlayer(int top, int left, int width, int height);  // MainWindowPlayer.cpp
    void adSwap();                                                   // MainWindowSponsors.cpp
    // True when the banner rotation holds a page, the only one that can come
    // over a playing lesson; the HTML engine is worth getting ready then only.
    bool rotationShowsPages() const;                                 // MainWindowSponsors.cpp
    void loadBookmarks();                                            // MainWindowBookmarks.cpp
    void saveBookmarks();                                            // MainWindowBookmarks.cpp

    // Start-up, closing and the player's views (MainWindowStartup.cpp,
    // CD_Quorvate1.cpp, MainWindowPlayer.cpp).
    void FormCreate();
    void FormShow();
    void btnCloseClick();
    void btnMinimizeClick();
    void ActiveMovie1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void ActiveMovie1DblClick();

    // Lessons and playback: the lesson strip (MainWindowLessons.cpp), the
    // button bar, the seek bar and its timer (MainWindowPlayback.cpp).
    void movieSwap(const QString& fileName);
    void Image15MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void Image15MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // Loads and plays a lesson as a click on its row does; a number outside
    // the strip's lessons, or a lesson whose video is missing, changes nothing.
    void chooseLesson(std::int32_t lesson);
    LessonRows lessonRows() const;
    void MediaPlayer1Click(int button, bool& doDefault);
    void Timer1Timer();
    void ScrollBar1Scroll(TScrollCode scrollCode, int scrollPos);
    void ScrollBar1Change();

    // Bookmarks: the menu under the video and the manager dialog (MainWindowBookmarks.cpp).
    void selBmChange(int index);
    void selBmDropDown();
    void setBookmarkManager(TfrmBm* dialog);
    BookmarkLists bookmarkLists() const;
    QString currentPositionText() const;
    TfrmBm* frmBm = nullptr;

    // Section tabs (MainWindowTabs.cpp).
    void imgTrHotspotClick();
    void imgReHotspotClick();
    void ImgSpHotspotClick();

    // Resource searches (MainWindowSearches.cpp).
    void imgTutSearchClick();
    void imgScriptSearchClick();
    void imgJobSearchClick();
    void imgReviewSearchClick();
    int frelBrowserShowContextMenu(const QPoint& globalPos);

    // Sponsor banner and sponsors page (MainWindowSponsors.cpp).
    void Timer2Timer();
    void gifBannerClick();
    void imgShowallClick();
    int adBrowserShowContextMenu(const QPoint& globalPos);

    // The keyboard's way through the window (MainWindowKeyboard.cpp): the
    // cursor on the lesson strip, whether the focus shows, and its frame.
    LessonStripCursor* lessonCursor = nullptr;
    FocusVisibility* focusVisibility = nullptr;
    FocusFrame* focusFrame = nullptr;

    // The window's outer size, frame included, as the layout gives it.
    QSize outerSize() const;
    void setOuterSize(int width, int height);

    // Main-window state.
    std::int32_t numLessons = 0;
    std::int32_t lessonSp = 0;
    std::int32_t lessonOffset = 0;
    std::int32_t lessonHeight = 0;
    std::int32_t selDrawOffset = 0;
    QString lessonName;
    QString bookmarkFileName;
    QString windowsDir;
    QString currentLesson;
    QString screenMode;
    std::int32_t sponsorCount = 0;
    std::int32_t sponsorIndex = 0;
    QStringList sponsorPictures;
    QStringList sponsorUrls;
    ViewGeometry viewGeometry;
    // The lessons the learner has watched in this course, as kept for it.
    std::set<std::int32_t> watchedLessons;

    // Direct children of the window.
    TPanel* Panel2 = nullptr;
    QPushButton* btnClose = nullptr;
    TPanel* aVidPanel = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    TActiveMovie* ActiveMovie1 = nullptr;

    // The top band.
    TImage* imgHeader = nullptr;
    TImage* imgTabset = nullptr;
    TImage* imgTrHotspot = nullptr;
    TImage* imgReHotspot = nullptr;
    TImage* ImgSpHotspot = nullptr;
    TImage* imgAdBk = nullptr;
    TGIFImage* gifBanner = nullptr;
    TPanel* trPanel = nullptr;
    TPanel* rePanel = nullptr;
    TPanel* spPanel = nullptr;
    TEmbeddedWB* adBrowser = nullptr;

    // The training section.
    TImage* imgMainBk = nullptr;
    TImage* Image15 = nullptr;
    TImage* imgHighliteJ = nullptr;
    TImage* img_lessons_title = nullptr;
    TImage* img_vid_title = nullptr;
    TImage* imgLessonClstrip = nullptr;
    TImage* imgHighlite2 = nullptr;
    TGIFImage* imgHighlite = nullptr;
    TPanel* controlPanel = nullptr;
    TMediaPlayer* MediaPlayer1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QPushButton* btnMinimize = nullptr;
    QComboBox* selBmVal = nullptr;
    TDropDownList* selBm = nullptr;

    // The resources section.
    TImage* Image3 = nullptr;
    TImage* imgRsClstrip = nullptr;
    TShape* tutorialCon = nullptr;
    TImage* imgTutLabel = nullptr;
    TImage* Image6 = nullptr;
    TImage* Image7 = nullptr;
    TImage* imgTutSearch = nullptr;
    TImage* imgScLable = nullptr;
    TShape* scriptCon = nullptr;
    TImage* Image4 = nullptr;
    TImage* Image8 = nullptr;
    TImage* imgScriptSearch = nullptr;
    TImage* Image11 = nullptr;
    TShape* jobCon = nullptr;
    TImage* Image12 = nullptr;
    TImage* Image13 = nullptr;
    TImage* imgJobSearch = nullptr;
    TImage* imgResultsLabel = nullptr;
    TShape* reviewCon = nullptr;
    TImage* imgReviewSearch = nullptr;
    TImage* Image1 = nullptr;
    TImage* Image18 = nullptr;
    TImage* Image19 = nullptr;
    TShape* browserBorder = nullptr;
    QComboBox* selTutApp = nullptr;
    QLineEdit* titleDes = nullptr;
    QComboBox* selScriptApp = nullptr;
    QLineEdit* txtScript = nullptr;
    TPanel* scriptConPanel = nullptr;
    QLineEdit* txtJob = nullptr;
    QComboBox* selJob = nullptr;
    QComboBox* selReview = nullptr;
    QLineEdit* txtReview = nullptr;
    TPanel* reviewConPannel = nullptr;
    TEmbeddedWB* frelBrowser = nullptr;
    TImage* Image9 = nullptr;
    TImage* Image10 = nullptr;
    QRadioButton* rdPlugin = nullptr;
    QRadioButton* rdScript = nullptr;
    TImage* Image2 = nullptr;
    TImage* Image17 = nullptr;
    QRadioButton* rdReview = nullptr;
    QRadioButton* rdArticle = nullptr;

    // The sponsors section.
    TImage* imgSpBkg = nullptr;
    TImage* imgSpTabline = nullptr;
    TShape* browserBorder2 = nullptr;
    TImage* imgShowall = nullptr;
    TEmbeddedWB* spBrowser = nullptr;

signals:
    // A lesson was loaded from the strip, a key or a reader (chooseLesson).
    void lessonChosen(std::int32_t lesson);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Layout: one builder per panel, in the order of the window's tables.
    void buildLayout();
    void buildTopBand();
    void buildTrainingSection();
    void buildResourcesSection();
    void buildScriptChoice();
    void buildReviewChoice();
    void buildSponsorsSection();
    void bindHandlers();
    void buildKeyboardAccess();
    void setKeyboardOrder();
    void frameKeyboardFocus();

    // Start-up steps.
    void readConfiguration();
    void readLessonModeConfiguration(class IniStore& qel);
    void arrangeSingleVideoMode(class IniStore& qel);
    void loadSkinPictures();
    void openLocalPages();
    void styleSearchForms();
    void loadFirstVideo();
    void fixWindowFrame();

    QString mediaPath(const QString& relativePath) const;

    // Bookmarks.
    void bindBookmarkHandlers();
    QString lessonKey() const;
    BookmarkFile bookmarkFile() const;
    std::optional<BookmarkFile> readableBookmarkFile() const;
    void showBookmarks(const Bookmarks& bookmarks);

    // Sponsor banner, section tabs and resource searches.
    void readSponsorList();
    void loadAnimatedBanner(const QString& path);
    void bindSponsorHandlers();
    void bindTabHandlers();
    void showSection(TPanel* section, const QString& tabPicture);
    void bindSearchHandlers();

    AppPaths paths_;
    // Every file the course names is read from inside its folder alone.
    CourseFiles::Confinement courseFiles_{paths_.directory()};
    class BannerReads* bannerReads_ = nullptr;
    PlatformServices& services_;
    bool fixedBorder_ = false;
    bool formShown_ = false;
    // The clip a user's scroll action on the seek bar began on, until its end.
    std::optional<QString> scrollActionClip_;
    // Where the seek bar last sent the video, and in which clip.
    struct BarSeek {
        QString clip;
        double seconds;
    };
    std::optional<BarSeek> barSeek_;
    bool videoStandsWhereTheBarSentIt() const;
    // The loaded lesson's bookmarks as the window last read or wrote them:
    // what its lists changed since is what a save makes to the file.
    Bookmarks bookmarksAsStored_;
};

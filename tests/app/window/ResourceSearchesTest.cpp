#include <gtest/gtest.h>

#include <functional>

#include <QTest>

#include "MainWindowHarness.h"

namespace {

const QString kBase = QStringLiteral("http://www.tovrelle.com");

struct SearchCase {
    const char* name;
    std::function<void(TfrmMain&)> fill;  // chooses and types, then clicks the search picture
    QString expected;                     // the address after the server's base
};

class ResourceSearch : public testing::TestWithParam<SearchCase> {};

TEST_P(ResourceSearch, SendsTheFormsChoicesAsOneAddress)
{
    MainWindowHarness harness;
    harness.course.writeLessonCourse(true);
    TfrmMain& w = harness.start();
    GetParam().fill(w);
    EXPECT_TRUE(harness.errors.isEmpty()) << harness.errors.join(u'\n').toStdString();
    EXPECT_EQ(harness.frelBrowser().lastAddress(), kBase + GetParam().expected);
}

// Fills a form and clicks its search picture: item is chosen in the box
// unless negative, the option is checked when given, the text is typed.
auto search(QComboBox* TfrmMain::*box, int item, QRadioButton* TfrmMain::*option, QLineEdit* TfrmMain::*field,
            const char* typed, TImage* TfrmMain::*picture)
{
    return [=](TfrmMain& w) {
        if (item >= 0)
            (w.*box)->setCurrentIndex(item);
        if (option)
            (w.*option)->setChecked(true);
        (w.*field)->setText(QString::fromUtf8(typed));
        (w.*picture)->OnClick();
    };
}
auto tutorial(int item, const char* typed = "")
{
    return search(&TfrmMain::selTutApp, item, nullptr, &TfrmMain::titleDes, typed, &TfrmMain::imgTutSearch);
}
auto script(int item, bool plugin, const char* typed = "")
{
    return search(&TfrmMain::selScriptApp, item, plugin ? &TfrmMain::rdPlugin : &TfrmMain::rdScript,
                  &TfrmMain::txtScript, typed, &TfrmMain::imgScriptSearch);
}
auto job(int item, const char* typed = "")
{
    return search(&TfrmMain::selJob, item, nullptr, &TfrmMain::txtJob, typed, &TfrmMain::imgJobSearch);
}
auto review(int item, bool article, const char* typed = "")
{
    return search(&TfrmMain::selReview, item, article ? &TfrmMain::rdArticle : &TfrmMain::rdReview,
                  &TfrmMain::txtReview, typed, &TfrmMain::imgReviewSearch);
}

const QString kTutorialTail = QStringLiteral("&bgP_Color=c6c9db&cb_description=1&cb_title=1&rank=all&titleDes=");
const QString kScriptTail = QStringLiteral("&cb_title=1&cb_description=1&btnSubmitDetails=Search");
const QString kReviewMiddle = QStringLiteral("&application=all&category=all&cost=3&rank=all&titleDes=");

INSTANTIATE_TEST_SUITE_P(
    Forms, ResourceSearch,
    testing::Values(
        SearchCase{"TutorialUntouched", tutorial(-1), "/tutorial_results_mabr.php?division=1&app=" + kTutorialTail},
        SearchCase{"TutorialAll3D", tutorial(0, "rig"),
                   "/tutorial_results_mabr.php?division=1&app=All%203D" + kTutorialTail + "rig"},
        SearchCase{"TutorialLightwave", tutorial(4), "/tutorial_results_mabr.php?division=1&app=Lightwave" + kTutorialTail},
        SearchCase{"TutorialPhp", tutorial(5), "/tutorial_results_mabr.php?division=4&app=PHP" + kTutorialTail},
        SearchCase{"TutorialTypedBoxTextIgnored",
                   [](TfrmMain& w) {
                       w.selTutApp->setCurrentIndex(2);
                       w.selTutApp->setEditText(QStringLiteral("Houdini"));
                       w.imgTutSearch->OnClick();
                   },
                   "/tutorial_results_mabr.php?division=1&app=Maya" + kTutorialTail},
        SearchCase{"ScriptUntouched", script(-1, false),
                   "/script_results_mabr.php?catID=2&division=1&application=all&category=all&cost=3&rank=all&titleDes="
                       + kScriptTail},
        SearchCase{"ScriptAll", script(0, false, "x"),
                   "/script_results_mabr.php?catID=2&division=1&application=all&category=all&cost=3&rank=all&titleDes=x"
                       + kScriptTail},
        SearchCase{"Script3dsMaxPlugin", script(1, true),
                   "/script_results_mabr.php?catID=3&division=1&application=3ds%20max&category=all&cost=3&rank=all"
                   "&titleDes=" + kScriptTail},
        SearchCase{"ScriptJavascriptPlugin", script(4, true, "mail"),
                   "/script_results_mabr.php?catID=3&division=4&application=all&category=Javascript&cost=3&rank=all"
                   "&titleDes=mail" + kScriptTail},
        SearchCase{"JobUntouched", job(-1),
                   "/vbforum/job_results_list.php?tabVal=2&selectIndustry=3D%20Production"
                   "&bgP_Color=c6c9db&cb_description=1&cb_title=1&titleDes="},
        SearchCase{"JobWebDevelopment", job(3, "R&D lead"),
                   "/vbforum/job_results_list.php?tabVal=2&selectIndustry=Web%20Development"
                   "&bgP_Color=c6c9db&cb_description=1&cb_title=1&titleDes=R%26D%20lead"},
        SearchCase{"ReviewUntouched", review(-1, false),
                   "/vbforum/review_results_qel.php?tabVal=2&catID=4&bgP_Color=c6c9db&division=1" + kReviewMiddle
                       + "&cb_title=1&cb_description=1"},
        SearchCase{"ReviewArticleGameDevelopment", review(1, true, "card"),
                   "/vbforum/review_results_qel.php?tabVal=2&catID=5&bgP_Color=c6c9db&division=2" + kReviewMiddle
                       + "card&cb_title=1&cb_description=1"},
        SearchCase{"ReviewWebDevelopment", review(3, false, "a#b%c=d+e/f~g-h.i_j"),
                   "/vbforum/review_results_qel.php?tabVal=2&catID=4&bgP_Color=c6c9db&division=4" + kReviewMiddle
                       + "a%23b%25c%3Dd%2Be%2Ff~g-h.i_j&cb_title=1&cb_description=1"},
        SearchCase{"TypedTextInTheCodePage", job(-1, "Café €5 日"),
                   "/vbforum/job_results_list.php?tabVal=2&selectIndustry=3D%20Production"
                   "&bgP_Color=c6c9db&cb_description=1&cb_title=1&titleDes=Caf%E9%20%805%20%3F"}),
    [](const testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

TEST(ResourceSearches, EnterStartsNothingAndANavigateFailureIsReported)
{
    MainWindowHarness harness;
    harness.course.writeLessonCourse(true);
    TfrmMain& w = harness.start();
    const int shown = harness.frelBrowser().addresses.size();
    for (QWidget* field : std::initializer_list<QWidget*>{w.titleDes, w.txtScript, w.txtJob, w.selReview})
        QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(harness.frelBrowser().addresses.size(), shown);

    harness.frelBrowser().navigateFailure = QStringLiteral("The view cannot go there");
    w.imgJobSearch->OnClick();
    EXPECT_EQ(harness.errors, QStringList{QStringLiteral("The view cannot go there.")});
    EXPECT_EQ(w.sponsorIndex, 0) << "the banner moved on before the failure";
}

}  // namespace

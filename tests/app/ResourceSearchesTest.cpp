#include <gtest/gtest.h>

#include <functional>

#include <QTest>
#include <QUrlQuery>

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

// Choices made on the four forms; a negative index leaves the box untouched.
auto tutorial(int item, const char* typed = "")
{
    return [=](TfrmMain& w) {
        if (item >= 0)
            w.selTutApp->setCurrentIndex(item);
        w.titleDes->setText(QString::fromUtf8(typed));
        w.imgTutSearch->OnClick();
    };
}

auto script(int item, bool plugin, const char* typed = "")
{
    return [=](TfrmMain& w) {
        if (item >= 0)
            w.selScriptApp->setCurrentIndex(item);
        (plugin ? w.rdPlugin : w.rdScript)->setChecked(true);
        w.txtScript->setText(QString::fromUtf8(typed));
        w.imgScriptSearch->OnClick();
    };
}

auto job(int item, const char* typed = "")
{
    return [=](TfrmMain& w) {
        if (item >= 0)
            w.selJob->setCurrentIndex(item);
        w.txtJob->setText(QString::fromUtf8(typed));
        w.imgJobSearch->OnClick();
    };
}

auto review(int item, bool article, const char* typed = "")
{
    return [=](TfrmMain& w) {
        if (item >= 0)
            w.selReview->setCurrentIndex(item);
        (article ? w.rdArticle : w.rdReview)->setChecked(true);
        w.txtReview->setText(QString::fromUtf8(typed));
        w.imgReviewSearch->OnClick();
    };
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
        SearchCase{"ScriptPhpPlugin", script(3, true, "mail"),
                   "/script_results_mabr.php?catID=3&division=4&application=all&category=PHP&cost=3&rank=all"
                   "&titleDes=mail" + kScriptTail},
        SearchCase{"ScriptJavascript", script(4, false),
                   "/script_results_mabr.php?catID=2&division=4&application=all&category=Javascript&cost=3&rank=all"
                   "&titleDes=" + kScriptTail},
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

// What the server reads back from the address is exactly what was typed,
// whatever query characters the text holds.
TEST(ResourceSearches, TypedTextReachesTheServerWhole)
{
    MainWindowHarness harness;
    harness.course.writeLessonCourse(true);
    TfrmMain& w = harness.start();
    for (const QString& typed : {QStringLiteral("R&D"), QStringLiteral("C# & F#"), QStringLiteral("50% off=yes"),
                                QStringLiteral("a+b c")}) {
        w.txtScript->setText(typed);
        w.imgScriptSearch->OnClick();
        const QUrlQuery query(harness.frelBrowser().urls.last());
        EXPECT_EQ(query.queryItemValue(QStringLiteral("titleDes"), QUrl::FullyDecoded), typed);
        EXPECT_EQ(query.queryItemValue(QStringLiteral("btnSubmitDetails")), QStringLiteral("Search"));
    }
}

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

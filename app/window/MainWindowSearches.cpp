// The resource searches: each of the four forms turns its fields into one
// request on the search server and shows the result page in the results view.
// A search starts only from a click on its picture.
#include "CD_Quorvate1.h"

#include "Codepage1252.h"
#include "ErrorReporting.h"

namespace {

// The search server, scheme and host without a trailing slash.
const QByteArray searchBaseUrl = QByteArrayLiteral("http://www.tovrelle.com");

// A request address, joined piece by piece: the fixed pieces (path, parameter
// names, separators) as written, each value percent-encoded from its bytes in
// the system code page, so that a typed "&", "#", "%" or "=" stays part of
// its value. Letters, digits and "-._~" stay as they are; a space is %20.
class SearchAddress {
public:
    explicit SearchAddress(const char* path) : address_(searchBaseUrl + path) {}

    SearchAddress& value(const QString& text)
    {
        address_ += Codepage1252::encode(text).toPercentEncoding();
        return *this;
    }
    SearchAddress& fixed(const char* piece)
    {
        address_ += piece;
        return *this;
    }

    QString text() const { return Codepage1252::decode(address_); }

private:
    QByteArray address_;
};

// The text of the box's selected item; empty while none is selected. What
// the user typed into the box's own field is not a choice and is never read.
QString selectedItem(const QComboBox* box)
{
    return box->itemText(box->currentIndex());
}

}  // namespace

void TfrmMain::imgTutSearchClick()
{
    adSwap();
    // "PHP" and anything after it is searched in the web division.
    const QString division = selTutApp->currentIndex() <= 4 ? QStringLiteral("1") : QStringLiteral("4");
    const SearchAddress address = SearchAddress("/tutorial_results_mabr.php?division=")
                                      .value(division)
                                      .fixed("&app=")
                                      .value(selectedItem(selTutApp))
                                      .fixed("&bgP_Color=c6c9db&cb_description=1&cb_title=1&rank=all&titleDes=")
                                      .value(titleDes->text());
    frelBrowser->Navigate(address.text());
}

// The web languages ("PHP", "Javascript") are categories of the web division;
// the 3D applications are applications of division 1. "All", or no choice,
// searches everything in division 1.
void TfrmMain::imgScriptSearchClick()
{
    adSwap();
    const QString catID = rdPlugin->isChecked() ? QStringLiteral("3") : QStringLiteral("2");
    const int index = selScriptApp->currentIndex();
    const QString all = QStringLiteral("all");
    QString division = QStringLiteral("1");
    QString application = selectedItem(selScriptApp);
    QString category = all;
    if (index > 2) {
        division = QStringLiteral("4");
        category = application;
        application = all;
    }
    if (index <= 0)
        application = category = all;
    const SearchAddress address = SearchAddress("/script_results_mabr.php?catID=")
                                      .value(catID)
                                      .fixed("&division=")
                                      .value(division)
                                      .fixed("&application=")
                                      .value(application)
                                      .fixed("&category=")
                                      .value(category)
                                      .fixed("&cost=3&rank=all&titleDes=")
                                      .value(txtScript->text())
                                      .fixed("&cb_title=1&cb_description=1&btnSubmitDetails=Search");
    frelBrowser->Navigate(address.text());
}

void TfrmMain::imgJobSearchClick()
{
    adSwap();
    // With no choice made the industry is the one the box shows at start.
    const QString industry = selJob->currentIndex() < 0 ? QStringLiteral("3D Production") : selectedItem(selJob);
    const SearchAddress address = SearchAddress("/vbforum/job_results_list.php?tabVal=2&selectIndustry=")
                                      .value(industry)
                                      .fixed("&bgP_Color=c6c9db&cb_description=1&cb_title=1&titleDes=")
                                      .value(txtJob->text());
    frelBrowser->Navigate(address.text());
}

void TfrmMain::imgReviewSearchClick()
{
    adSwap();
    const QString catID = rdReview->isChecked() ? QStringLiteral("4") : QStringLiteral("5");
    // Divisions are numbered from 1 in the order of the box's industries.
    const int index = selReview->currentIndex();
    const QString division = QString::number(index < 0 ? 1 : index + 1);
    const SearchAddress address = SearchAddress("/vbforum/review_results_qel.php?tabVal=2&catID=")
                                      .value(catID)
                                      .fixed("&bgP_Color=c6c9db&division=")
                                      .value(division)
                                      .fixed("&application=all&category=all&cost=3&rank=all&titleDes=")
                                      .value(txtReview->text())
                                      .fixed("&cb_title=1&cb_description=1");
    frelBrowser->Navigate(address.text());
}

// A right click on the search results opens no menu.
int TfrmMain::frelBrowserShowContextMenu(const QPoint&)
{
    return TEmbeddedWB::Handled;
}

void TfrmMain::bindSearchHandlers()
{
    imgTutSearch->OnClick = [this] { runGuarded([this] { imgTutSearchClick(); }); };
    imgScriptSearch->OnClick = [this] { runGuarded([this] { imgScriptSearchClick(); }); };
    imgJobSearch->OnClick = [this] { runGuarded([this] { imgJobSearchClick(); }); };
    imgReviewSearch->OnClick = [this] { runGuarded([this] { imgReviewSearchClick(); }); };
    frelBrowser->OnShowContextMenu = [this](const QPoint& globalPos) { return frelBrowserShowContextMenu(globalPos); };
}

// The sponsor banner: the sponsor list, the rotation through its entries and
// the banner's clicks, and the sponsors section's way back to its index page.
#include "CD_Quorvate1.h"

#include <algorithm>

#include "BannerReads.h"
#include "Conversions.h"
#include "ErrorReporting.h"
#include "IniStore.h"
#include "accessible/ChangeReporting.h"

namespace {

// A name containing ".gif", in small letters, goes to the animated banner;
// any other file to the HTML banner.
bool isAnimatedBanner(const QString& name)
{
    return name.contains(QStringLiteral(".gif"));
}

}  // namespace

// Reads "Sponsors\sp.dat": the declared count, then each entry numbered from
// 1 to that count that has both a banner and an address.
void TfrmMain::readSponsorList()
{
    sponsorPictures.clear();
    sponsorUrls.clear();
    IniStore list;
    list.open(mediaPath(QStringLiteral("Sponsors\\sp.dat")), IniStore::Access::ReadCourseFile);
    const QString main = QStringLiteral("Main");
    sponsorCount = Conversions::strToInt(list.read(main, QStringLiteral("num"), QStringLiteral("0")));
    for (const std::int32_t number : list.keyNumbers(main, QStringLiteral("img"), sponsorCount)) {
        const QString picture = list.read(main, QStringLiteral("img%1").arg(number), kMissingValueMarker);
        const QString url = list.read(main, QStringLiteral("url%1").arg(number), kMissingValueMarker);
        if (picture != kMissingValueMarker && url != kMissingValueMarker) {
            sponsorPictures << picture;
            sponsorUrls << url;
        }
    }
    list.close();
}

// Shows the next sponsor's banner: a name containing ".gif" goes to the
// animated banner, any other file to the HTML banner laid over it. With no
// sponsor the banner area keeps its frame only.
void TfrmMain::adSwap()
{
    const qsizetype count = sponsorPictures.size();
    if (count == 0) {
        sponsorIndex = 0;
        return;
    }
    // The end of the list, or an index it cannot hold, starts over at entry 0;
    // start-up's call, with the declared count as index, lands there. Comparing
    // before adding keeps a count at the integer limit from overflowing.
    if (sponsorIndex < 0 || sponsorIndex >= count - 1)
        sponsorIndex = 0;
    else
        ++sponsorIndex;
    const QString name = sponsorPictures.at(sponsorIndex);
    const QString path = mediaPath(QStringLiteral("Sponsors\\") + name);
    if (isAnimatedBanner(name)) {
        // A banner that cannot be read shows what the control shows for it.
        loadAnimatedBanner(path);
        gifBanner->setVisibleFlag(true);
        adBrowser->hide();
    } else {
        // The path goes to the view as it stands: the course folder may have
        // characters that the system code page lacks.
        adBrowser->Navigate(path);
        adBrowser->show();
        gifBanner->setVisibleFlag(false);
    }
    reportAccessibleChanges({gifBanner});
}

// The window that opens shows its first banner; once it is on the screen, a
// banner is read off the window's thread and comes in when read, so that a
// slow disc holds up the picture alone.
void TfrmMain::loadAnimatedBanner(const QString& path)
{
    if (!isVisible()) {
        gifBanner->LoadFromFile(path);
        return;
    }
    if (!bannerReads_)
        bannerReads_ = new BannerReads(this);
    bannerReads_->read(path, [this](const CourseFiles::Read& file) { gifBanner->LoadFromRead(file); });
}

bool TfrmMain::rotationShowsPages() const
{
    return !std::all_of(sponsorPictures.cbegin(), sponsorPictures.cend(), isAnimatedBanner);
}

void TfrmMain::Timer2Timer()
{
    adSwap();
}

// The hidden animated banner still takes clicks, so the strip the HTML banner
// leaves uncovered at its right edge opens the sponsor shown as well.
void TfrmMain::gifBannerClick()
{
    if (sponsorIndex >= 0 && sponsorIndex < sponsorUrls.size())
        services_.shell.open(sponsorUrls.at(sponsorIndex), this);
}

void TfrmMain::imgShowallClick()
{
    spBrowser->Navigate(mediaPath(QStringLiteral("Sponsors\\index.htm")));
}

// A right click on an HTML banner opens no menu.
int TfrmMain::adBrowserShowContextMenu(const QPoint&)
{
    return TEmbeddedWB::Handled;
}

void TfrmMain::bindSponsorHandlers()
{
    connect(Timer2, &QTimer::timeout, this, [this] { runGuarded([this] { Timer2Timer(); }); });
    gifBanner->OnClick = [this](TGIFImage*) { runGuarded([this] { gifBannerClick(); }); };
    imgShowall->OnClick = [this] { runGuarded([this] { imgShowallClick(); }); };
    adBrowser->OnShowContextMenu = [this](const QPoint& globalPos) { return adBrowserShowContextMenu(globalPos); };
}

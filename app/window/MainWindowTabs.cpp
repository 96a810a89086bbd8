// The section tabs: three hotspots over the tab strip picture switch between
// training, resources and sponsors. The panels' visibility is the only record
// of the section shown.
#include "CD_Quorvate1.h"

#include "ErrorReporting.h"
#include "PointerRest.h"
#include "accessible/ChangeReporting.h"

void TfrmMain::imgTrHotspotClick()
{
    showSection(trPanel, QStringLiteral("Media\\menubar_training.jpg"));
}

void TfrmMain::imgReHotspotClick()
{
    showSection(rePanel, QStringLiteral("Media\\menubar_resources.jpg"));
}

void TfrmMain::ImgSpHotspotClick()
{
    showSection(spPanel, QStringLiteral("Media\\menubar_sponsors.jpg"));
}

// Every tab click, on the tab shown too, moves the banner on and pauses a
// playing video; coming back to training does not resume it. The section is
// switched before the tab picture loads, so a missing picture leaves the new
// section under the old tab strip.
void TfrmMain::showSection(TPanel* section, const QString& tabPicture)
{
    adSwap();
    ActiveMovie1->Pause();
    const bool training = section == trPanel;
    aVidPanel->setVisible(training);
    trPanel->setVisible(training);
    rePanel->setVisible(section == rePanel);
    spPanel->setVisible(section == spPanel);
    reportAccessibleChanges({imgTabset});
    imgTabset->loadPicture(mediaPath(tabPicture));
}

void TfrmMain::bindTabHandlers()
{
    imgTrHotspot->OnClick = [this] { runGuarded([this] { imgTrHotspotClick(); }); };
    imgReHotspot->OnClick = [this] { runGuarded([this] { imgReHotspotClick(); }); };
    ImgSpHotspot->OnClick = [this] { runGuarded([this] { ImgSpHotspotClick(); }); };
    // The HTML engine starts with the first page shown. A pointer resting on
    // a tab whose section shows a page is the surest early sign of that page,
    // so the engine starts then and the page is mostly ready at the click.
    new PointerRest(imgReHotspot, [this] { frelBrowser->prepareEngine(); });
    new PointerRest(ImgSpHotspot, [this] { spBrowser->prepareEngine(); });
}

#include "BuiltInPictures.h"

#include <QResource>
#include <QString>

#include "JpegDecoder.h"

namespace {

// Decodes the built-in JPEG of that file name; the data stays where the program holds it.
QImage picture(const char* name)
{
    const QResource resource(QStringLiteral(":/pictures/") + QLatin1String(name));
    return JpegDecoder::decode(resource.uncompressedData());
}

} // namespace

QImage BuiltInPictures::header() { return picture("header.jpg"); }
QImage BuiltInPictures::tabStrip() { return picture("tab-strip.jpg"); }
QImage BuiltInPictures::bannerFrame() { return picture("banner-frame.jpg"); }
QImage BuiltInPictures::thinLine() { return picture("thin-line.jpg"); }
QImage BuiltInPictures::searchButton() { return picture("search-button.jpg"); }
QImage BuiltInPictures::tutorialsLabel() { return picture("tutorials-label.jpg"); }
QImage BuiltInPictures::pluginsScriptsLabel() { return picture("plugins-scripts-label.jpg"); }
QImage BuiltInPictures::jobsLabel() { return picture("jobs-label.jpg"); }
QImage BuiltInPictures::resultsLabel() { return picture("results-label.jpg"); }
QImage BuiltInPictures::reviewsArticlesLabel() { return picture("reviews-articles-label.jpg"); }
QImage BuiltInPictures::applicationLabel() { return picture("application-label.jpg"); }
QImage BuiltInPictures::keywordLabel() { return picture("keyword-label.jpg"); }
QImage BuiltInPictures::industryLabel() { return picture("industry-label.jpg"); }
QImage BuiltInPictures::pluginLabel() { return picture("plugin-label.jpg"); }
QImage BuiltInPictures::scriptLabel() { return picture("script-label.jpg"); }
QImage BuiltInPictures::reviewLabel() { return picture("review-label.jpg"); }
QImage BuiltInPictures::articleLabel() { return picture("article-label.jpg"); }

#include <functional>

#include <gtest/gtest.h>
#include <QImage>

#include "BuiltInPictures.h"

namespace {

struct BuiltIn {
    const char* name;
    std::function<QImage()> picture;
    QSize size;
};

class BuiltInPicturesTest : public ::testing::TestWithParam<BuiltIn> {};

// Every picture is compiled in, decodes with libjpeg and has exactly the size the layout gives it.
TEST_P(BuiltInPicturesTest, DecodesAtItsLayoutSize)
{
    const QImage picture = GetParam().picture();
    EXPECT_EQ(picture.size(), GetParam().size);
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, BuiltInPicturesTest,
    ::testing::Values(BuiltIn{"Header", BuiltInPictures::header, {1013, 70}},
                      BuiltIn{"TabStrip", BuiltInPictures::tabStrip, {300, 18}},
                      BuiltIn{"BannerFrame", BuiltInPictures::bannerFrame, {470, 62}},
                      BuiltIn{"ThinLine", BuiltInPictures::thinLine, {800, 1}},
                      BuiltIn{"SearchButton", BuiltInPictures::searchButton, {63, 20}},
                      BuiltIn{"Tutorials", BuiltInPictures::tutorialsLabel, {73, 19}},
                      BuiltIn{"PluginsScripts", BuiltInPictures::pluginsScriptsLabel, {133, 22}},
                      BuiltIn{"Jobs", BuiltInPictures::jobsLabel, {42, 22}},
                      BuiltIn{"Results", BuiltInPictures::resultsLabel, {61, 20}},
                      BuiltIn{"ReviewsArticles", BuiltInPictures::reviewsArticlesLabel, {145, 21}},
                      BuiltIn{"Application", BuiltInPictures::applicationLabel, {74, 21}},
                      BuiltIn{"Keyword", BuiltInPictures::keywordLabel, {59, 19}},
                      BuiltIn{"Industry", BuiltInPictures::industryLabel, {53, 19}},
                      BuiltIn{"Plugin", BuiltInPictures::pluginLabel, {41, 19}},
                      BuiltIn{"Script", BuiltInPictures::scriptLabel, {37, 18}},
                      BuiltIn{"Review", BuiltInPictures::reviewLabel, {42, 14}},
                      BuiltIn{"Article", BuiltInPictures::articleLabel, {41, 16}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

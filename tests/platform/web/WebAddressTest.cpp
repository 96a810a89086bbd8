#include <gtest/gtest.h>

#include "AppError.h"
#include "WebAddress.h"

namespace {

TEST(WebAddress, NativePathBecomesFileUrlForTheSameFile)
{
    const QUrl url = webAddressToUrl("/course/Media/frel_mabr.htm");
    EXPECT_EQ(url.toString(), "file:///course/Media/frel_mabr.htm");
    // Characters that mean something in a URL stay part of the file name.
    EXPECT_EQ(webAddressToUrl("/my course/#1?.htm").toLocalFile(), "/my course/#1?.htm");
}

TEST(WebAddress, AddressWithSchemeStaysAsWritten)
{
    const QString search = "http://search.example.com/find.php?app=3ds max&text=a b";
    const QUrl url = webAddressToUrl(search);
    EXPECT_EQ(url.scheme(), "http");
    EXPECT_EQ(url.host(), "search.example.com");
    EXPECT_EQ(QUrl::fromPercentEncoding(url.query(QUrl::FullyEncoded).toUtf8()), "app=3ds max&text=a b");
    EXPECT_EQ(webAddressToUrl("https://example.com/x?y=1").toString(), "https://example.com/x?y=1");
    EXPECT_EQ(webAddressToUrl("about:blank").toString(), "about:blank");
}

TEST(WebAddress, AddressWithoutSchemeIsReadLikeAnAddressBar)
{
    EXPECT_EQ(webAddressToUrl("www.example.com").toString(), "http://www.example.com");
}

TEST(WebAddress, EmptyOrBlankAddressRaises)
{
    EXPECT_THROW(webAddressToUrl(""), AppError);
    EXPECT_THROW(webAddressToUrl("   "), AppError);
    try {
        webAddressToUrl("");
    } catch (const AppError& error) {
        EXPECT_EQ(error.text(), "Invalid address \"\"");
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <QWidget>

#include "DesktopDoor.h"
#include "ErrorReporting.h"
#include "FakeShell.h"
#include "TestApplication.h"

namespace {

class RecordingBox : public ErrorBox {
public:
    void showError(const QString&, const QString& text) override { shown << text; }
    QStringList shown;
};

struct DoorCase {
    const char* name;
    const char* address;
    const char* opened;  // null: refused with an error box; "": nothing, unreported
};

void PrintTo(const DoorCase& row, std::ostream* out)
{
    *out << row.address;
}

class DesktopDoorTest : public testing::TestWithParam<DoorCase> {};

TEST_P(DesktopDoorTest, LetsOnlyWebAndMailAddressesOut)
{
    testApplication();
    const DoorCase& row = GetParam();
    RecordingBox box;
    ErrorReporting::install(&box, QStringLiteral("Tovrelle"));
    FakeShell desktop;
    DesktopDoor door(desktop);
    QWidget owner;
    door.open(QString::fromUtf8(row.address), &owner);
    ErrorReporting::install(nullptr, {});

    if (!row.opened) {
        EXPECT_TRUE(desktop.opened.isEmpty());
        ASSERT_EQ(box.shown.size(), 1);
        EXPECT_TRUE(box.shown[0].contains(QString::fromUtf8(row.address))) << box.shown[0].toStdString();
    } else if (*row.opened == '\0') {
        EXPECT_TRUE(desktop.opened.isEmpty());
        EXPECT_TRUE(box.shown.isEmpty());
    } else {
        EXPECT_EQ(desktop.opened, QStringList{QString::fromUtf8(row.opened)});
        EXPECT_EQ(desktop.owners, QList<QWidget*>{&owner});
        EXPECT_TRUE(box.shown.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, DesktopDoorTest,
    testing::Values(
        DoorCase{"Http", "http://www.example.org/more", "http://www.example.org/more"},
        DoorCase{"HttpsInCapitals", "HTTPS://Example.org/A", "https://example.org/A"},
        DoorCase{"Mail", "mailto:sales@example.org", "mailto:sales@example.org"},
        DoorCase{"BareHostAsTyped", "www.example.org", "http://www.example.org"},
        DoorCase{"SpacesEscaped", "http://example.org/a b", "http://example.org/a%20b"},
        DoorCase{"LocalFile", "file:///etc/passwd", nullptr},
        DoorCase{"NativePath", "/home/learner/.bashrc", nullptr},
        DoorCase{"NetworkShare", "smb://server/share", nullptr},
        DoorCase{"ProgramScheme", "steam://run/1", nullptr},
        DoorCase{"PackageInstall", "apt:sl", nullptr},
        DoorCase{"Script", "javascript:alert(1)", nullptr},
        DoorCase{"Data", "data:text/html,<b>x</b>", nullptr},
        DoorCase{"WebWithoutHost", "http:///etc/passwd", nullptr},
        DoorCase{"MailWithoutAddress", "mailto:", nullptr},
        // A mail address leaves as a mail form: the addresses, then subject,
        // body and copies only, whatever else the address carried.
        DoorCase{"MailAttachingAFile", "mailto:learner@example.com?subject=Hi&attach=/etc/passwd",
                 "mailto:learner@example.com?subject=Hi"},
        DoorCase{"MailFieldsInAnyCase", "mailto:a@example.org?ATTACHMENT=~/.ssh/id_rsa&Body=Line%0D%0Atwo&BCC=x@e.org",
                 "mailto:a@example.org?body=Line%0D%0Atwo"},
        DoorCase{"MailFieldsInOrder", "mailto:a@example.org?cc=b@example.org,c@example.org&body=b&subject=s&to=z@e.org",
                 "mailto:a@example.org?subject=s&body=b&cc=b@example.org,c@example.org"},
        DoorCase{"MailFirstOfEachField", "mailto:a@example.org?subject=one&subject=two", "mailto:a@example.org?subject=one"},
        DoorCase{"MailValuesStayValues", "mailto:a@example.org?subject=1%262%3D3+4%23", "mailto:a@example.org?subject=1%262%3D3%2B4%23"},
        DoorCase{"MailCopyThatIsNoAddress", "mailto:a@example.org?cc=file:///etc/passwd", "mailto:a@example.org"},
        DoorCase{"MailToSeveral", "mailto:a@example.org,%20b@example.org", "mailto:a@example.org,b@example.org"},
        DoorCase{"MailWithoutAt", "mailto:learner?subject=Hi", nullptr},
        DoorCase{"MailOnlyAField", "mailto:?to=a@example.org&attach=/etc/passwd", nullptr},
        DoorCase{"MailFieldHiddenInAddress", "mailto:a@example.org%3Fattach=/etc/passwd", nullptr},
        DoorCase{"MailHeaderInAddress", "mailto:a@example.org%0D%0ABcc:x@e.org", nullptr},
        DoorCase{"MailOneBadAmongSeveral", "mailto:a@example.org,nobody", nullptr},
        DoorCase{"MailAtTheEnd", "mailto:learner@", nullptr},
        DoorCase{"MailSubjectStartingHeaders", "mailto:a@example.org?subject=Hi%0D%0ABcc:x@e.org%0A%09two",
                 "mailto:a@example.org?subject=HiBcc%3Ax%40e.orgtwo"},
        DoorCase{"MailAddressHidingItsEnd", "mailto:a@example.org%E2%80%AEgro.live?cc=b%E2%80%8B@example.org",
                 "mailto:a@example.orggro.live?cc=b@example.org"},
        DoorCase{"MailSubjectWithInvisibles", "mailto:a@example.org?subject=Pay%E2%80%AEtxt.exe%E2%80%8B",
                 "mailto:a@example.org?subject=Paytxt.exe"},
        DoorCase{"MailBodyKeepsOnlyLineBreaks", "mailto:a@example.org?body=one%0D%0Atwo%07%1B%5B2J",
                 "mailto:a@example.org?body=one%0D%0Atwo%5B2J"},
        DoorCase{"Empty", "", ""},
        DoorCase{"Blank", "   ", ""}),
    [](const testing::TestParamInfo<DoorCase>& info) { return std::string(info.param.name); });

}  // namespace

// The store on a disc that fails under it: a file that cannot be read whole
// is neither taken for a shorter one nor written over; a folder that cannot
// hold modes still takes a save.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>

#include "AppError.h"
#include "FaultDisc.h"
#include "IniStore.h"

namespace {

const QByteArray kFile = "[vid1]\r\nnumBm=2\r\nbm1=one\r\nval1=1\r\nbm2=two\r\nval2=2\r\n"
                         "[vid3]\r\nnumBm=1\r\nbm1=three\r\nval1=3\r\n";

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& error) {
        return error.text();
    }
    return QString();
}

class IniStoreFaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!disc.usable())
            GTEST_SKIP() << "no FUSE here (/dev/fuse and fusermount needed)";
        QFile file(disc.source() + QStringLiteral("/bm.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kFile);
    }

    QString path() const { return disc.path() + QStringLiteral("/bm.ini"); }

    FaultDisc disc;
};

TEST_F(IniStoreFaultTest, AFileThatCannotBeReadWholeIsAnErrorAndIsNeverWrittenOver)
{
    const struct {
        const char* name;
        QJsonObject faults;
    } cases[] = {
        {"error after 40 bytes", {{"fail_reads", QJsonObject{{"bm.ini", 40}}}}},
        {"error at the first byte", {{"fail_reads", QJsonObject{{"bm.ini", 0}}}}},
        {"error just before the end", {{"fail_reads", QJsonObject{{"bm.ini", kFile.size() - 1}}}}},
        {"disc gone", {{"gone", true}}},
    };
    const QString cannotRead = QStringLiteral("Cannot read file ") + path();
    const QString cannotWrite = QStringLiteral("Unable to write to ") + path();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        disc.setFaults(c.faults);
        IniStore store;
        store.open(path());
        EXPECT_FALSE(store.readable());
        EXPECT_EQ(errorOf([&] { store.read("vid1", "numBm", "0"); }), cannotRead);
        EXPECT_EQ(errorOf([&] { store.keyNames("vid3"); }), cannotRead);
        EXPECT_EQ(errorOf([&] { store.erase("vid1"); }), cannotWrite);
        EXPECT_EQ(errorOf([&] { store.write("vid1", "numBm", "0"); }), cannotWrite);
        EXPECT_EQ(errorOf([&] { store.close(); }), QString());
        disc.setFaults({});
        EXPECT_EQ(contentsOf(path()), kFile) << "the file must stay byte for byte";
    }
}

// A file read whole once is not read again while it stays as it was: a store
// opened later takes it even when the disc now fails reads; once the file
// changes it is read again, and the failure shows.
TEST_F(IniStoreFaultTest, AnUnchangedFileIsNotReadAgain)
{
    IniStore first;
    first.open(path());
    EXPECT_EQ(first.read("vid3", "bm1", "-"), QStringLiteral("three"));
    disc.setFaults({{"fail_reads", QJsonObject{{"bm.ini", 0}}}});
    IniStore later;
    later.open(path());
    EXPECT_TRUE(later.readable());
    EXPECT_EQ(later.read("vid1", "bm2", "-"), QStringLiteral("two"));
    QFile file(disc.source() + QStringLiteral("/bm.ini"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("[vid4]\r\n");
    file.close();
    IniStore changed;
    changed.open(path());
    EXPECT_FALSE(changed.readable());
}

// A missing file on a disc that answers is no error; on a full disc the save
// fails and leaves what was there.
TEST_F(IniStoreFaultTest, SavesOnAFolderThatCannotHoldModesOrIsFull)
{
    const struct {
        const char* name;
        QJsonObject faults;
        bool saved;
    } cases[] = {
        {"modes and owners refused (vfat, CIFS)", {{"no_modes", true}}, true},
        {"disc full", {{"full", true}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        disc.setFaults(c.faults);
        IniStore store;
        store.open(path());
        const QByteArray before = contentsOf(path());
        store.write("vid2", "numBm", c.name);
        const QString error = errorOf([&] { store.close(); });
        disc.setFaults({});
        EXPECT_EQ(error, c.saved ? QString() : QStringLiteral("Unable to write to ") + path());
        const QByteArray after = contentsOf(path());
        EXPECT_EQ(after.contains(c.name), c.saved);
        EXPECT_TRUE(after.startsWith(before)) << "what was there stays";
        EXPECT_TRUE(QDir(disc.source()).entryList(QDir::Hidden | QDir::Files).filter(".bm.ini.").isEmpty())
            << "no temporary file is left";
    }
}

// A disc that answers stat from a cache, as a network home does, keeps the
// file's old stamp after another program rewrote it to the same size. A
// change rests on the file as it is, so the other program's edit stays.
TEST_F(IniStoreFaultTest, AChangeRestsOnTheFileEvenWhenItsStampIsStale)
{
    const QByteArray editedElsewhere = QByteArray(kFile).replace("bm1=one", "bm1=ONE");
    const struct {
        const char* name;
        std::function<void(IniStore&)> change;
        QByteArray expected;
    } cases[] = {
        {"a write", [](IniStore& s) { s.write("vid3", "bm2", "x"); }, editedElsewhere + "bm2=x\r\n"},
        {"an erase", [](IniStore& s) { s.erase("vid3"); }, editedElsewhere.left(editedElsewhere.indexOf("[vid3]"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        disc.setFaults({});
        QFile source(disc.source() + QStringLiteral("/bm.ini"));
        ASSERT_TRUE(source.open(QIODevice::WriteOnly | QIODevice::Truncate));
        source.write(kFile);
        source.close();
        disc.setFaults({{"stale_stamps", QJsonArray{"bm.ini"}}});
        IniStore look;
        look.open(path());
        EXPECT_EQ(look.read("vid1", "bm1", "-"), QStringLiteral("one"));
        ASSERT_TRUE(source.open(QIODevice::WriteOnly | QIODevice::Truncate));
        source.write(editedElsewhere);
        source.close();
        IniStore edit;
        edit.open(path());
        c.change(edit);
        edit.close();
        EXPECT_EQ(contentsOf(source.fileName()), c.expected);
    }
}

}  // namespace

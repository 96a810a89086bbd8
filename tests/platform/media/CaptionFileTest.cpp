#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "CaptionFile.h"

namespace {

// Which of the files in a lesson's folder are its captions.
TEST(CaptionFile, TheSubtitleFileBesideTheClipWithItsBaseName)
{
    const struct {
        const char* name;
        QStringList files;
        const char* chosen;  // null: none
    } cases[] = {
        {"none", {"vid_01.avi", "vid_02.srt", "vid_01.txt", "vid_01.avi.srt", "vid_01.en.srt"}, nullptr},
        {"srt", {"vid_01.avi", "vid_01.srt"}, "vid_01.srt"},
        {"each kind, any case", {"vid_01.avi", "VID_01.VTT"}, "VID_01.VTT"},
        {"ass", {"vid_01.avi", "vid_01.Ass"}, "vid_01.Ass"},
        {"ssa", {"vid_01.avi", "Vid_01.ssa"}, "Vid_01.ssa"},
        {"kinds in order", {"vid_01.avi", "vid_01.ssa", "vid_01.ass", "vid_01.vtt", "vid_01.srt"}, "vid_01.srt"},
        {"the clip's own case first", {"vid_01.avi", "VID_01.srt", "vid_01.vtt"}, "vid_01.vtt"},
        {"one of two cases", {"vid_01.avi", "VID_01.SRT", "Vid_01.srt"}, "VID_01.SRT"},
        {"no clip needed", {"vid_01.srt"}, "vid_01.srt"},
        {"a folder is no file", {"vid_01.avi", "vid_01.srt/"}, nullptr},
        {"nor is a pipe", {"vid_01.avi", "vid_01.srt|"}, nullptr},
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        for (const QString& file : c.files) {
            const QString path = folder.filePath(file.chopped(file.endsWith(u'/') || file.endsWith(u'|')));
            if (file.endsWith(u'/'))
                QDir().mkdir(path);
            else if (file.endsWith(u'|'))
                ::mkfifo(QFile::encodeName(path).constData(), 0600);
            else
                QFile(path).open(QIODevice::WriteOnly);
        }
        const auto chosen = CaptionFile::besideClip(folder.filePath("vid_01.avi"));
        EXPECT_EQ(chosen ? chosen->path : QString(), c.chosen ? folder.filePath(c.chosen) : QString()) << c.name;
    }
}

TEST(CaptionFile, AByteOrderMarkNamesTheEncodingElseUtf8WhenItReadsAsUtf8ElseWindows1252)
{
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"", "UTF-8"},
        {"plain ASCII\r\n", "UTF-8"},
        {"caf\xc3\xa9 \xe2\x80\x94 \xf0\x9f\x98\x80", "UTF-8"},
        {"\xef\xbb\xbf" "with a mark", "UTF-8"},
        {"\xef\xbb\xbf" "caf\xe9 after a mark", "UTF-8"},
        {QByteArray("\xff\xfe" "1\0\r\0\n\0", 8), "UTF-16LE"},
        {QByteArray("\xfe\xff\0" "1\0\r\0\n", 8), "UTF-16BE"},
        {"caf\xc3", "CP1252"},
        {"caf\xe9", "CP1252"},
        {"\x93quoted\x94", "CP1252"},
        {"\xc3\xa9 then caf\xe9", "CP1252"},
        {"\xc0\xaf overlong", "CP1252"},
    };
    for (const auto& [text, encoding] : cases)
        EXPECT_EQ(CaptionFile::encodingOf(text), encoding) << text.toHex().toStdString();
}

// The encoding is read from the file chosen; a file too long to read whole
// is judged by its lines within the limit, none cut within a character.
TEST(CaptionFile, TheChosenFilesEncodingComesWithIt)
{
    QByteArray longUtf8 = "ab";  // so that the limit falls within a character
    while (longUtf8.size() < 5 * 1024 * 1024)
        longUtf8 += QByteArray("\xc3\xa9").repeated(40) + '\n';
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"1\r\n00:00:01,000 --> 00:00:02,000\r\nna\xefve", "CP1252"},
        {longUtf8, "UTF-8"},
    };
    for (const auto& [text, encoding] : cases) {
        QTemporaryDir folder;
        QFile file(folder.filePath("vid_02.srt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        const auto chosen = CaptionFile::besideClip(folder.filePath("vid_02.avi"));
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(chosen->encoding, encoding) << text.size();
    }
}

}  // namespace

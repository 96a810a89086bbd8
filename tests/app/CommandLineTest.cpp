#include <optional>

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTextStream>

#include "CommandLine.h"

namespace {

using Request = CommandLine::Request;

struct LineCase {
    const char* name;
    QStringList arguments;
    Request request;
    std::optional<QString> folder;
    QString complaint;  // the first line on standard error; empty when nothing is printed there
    bool forgetsProgress = false;
};

QString usageComplaint(const char* text)
{
    return QStringLiteral("tovrelle: ") + QString::fromUtf8(text);
}

void PrintTo(const LineCase& row, std::ostream* out)
{
    *out << row.name;
}

class CommandLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(CommandLineTest, ParsesAndAnswers)
{
    const LineCase& row = GetParam();
    const CommandLine line = CommandLine::parse(row.arguments);
    EXPECT_EQ(line.request(), row.request);
    EXPECT_EQ(line.courseFolder(), row.folder);
    EXPECT_EQ(line.forgetsProgress(), row.forgetsProgress);

    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = line.answer(outStream, errStream);
    outStream.flush();
    errStream.flush();
    EXPECT_EQ(status, row.request == Request::Misuse ? 2 : 0);
    if (row.complaint.isEmpty()) {
        EXPECT_EQ(err, QString());
    } else {
        EXPECT_EQ(err, row.complaint + QStringLiteral("\nTry 'tovrelle --help' for more information.\n"));
        EXPECT_EQ(out, QString());
    }
    if (row.request == Request::Help) {
        EXPECT_TRUE(out.startsWith(QStringLiteral("Usage: tovrelle [OPTION]... [COURSE_FOLDER]\n"))) << out.toStdString();
    } else if (row.request == Request::Version) {
        const QRegularExpression versionLine(QStringLiteral("^tovrelle \\(Tovrelle\\) \\d+\\.\\d+\\.\\d+\\n$"));
        EXPECT_TRUE(versionLine.match(out).hasMatch()) << out.toStdString();
    } else if (row.request == Request::Run) {
        EXPECT_EQ(out, QString());
    }
}

const QString kProgram = QStringLiteral("/usr/bin/tovrelle");

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTest,
    testing::Values(
        LineCase{"Nothing", {kProgram}, Request::Run, std::nullopt, {}},
        LineCase{"CourseFolder", {kProgram, QStringLiteral("/media/cdrom")}, Request::Run, QStringLiteral("/media/cdrom"), {}},
        LineCase{"DashIsAFolder", {kProgram, QStringLiteral("-")}, Request::Run, QStringLiteral("-"), {}},
        LineCase{"OptionsEndAtDoubleDash", {kProgram, QStringLiteral("--"), QStringLiteral("--help")}, Request::Run,
                 QStringLiteral("--help"), {}},
        LineCase{"Help", {kProgram, QStringLiteral("--help")}, Request::Help, std::nullopt, {}},
        LineCase{"ForgetProgress", {kProgram, QStringLiteral("--forget-progress"), QStringLiteral("/c")}, Request::Run,
                 QStringLiteral("/c"), {}, true},
        LineCase{"ForgetShortened", {kProgram, QStringLiteral("--forget")}, Request::Run, std::nullopt, {}, true},
        LineCase{"ValueForForget", {kProgram, QStringLiteral("--forget-progress=yes")}, Request::Misuse, std::nullopt,
                 usageComplaint("option '--forget-progress' doesn't allow an argument")},
        LineCase{"HelpAfterFolder", {kProgram, QStringLiteral("/c"), QStringLiteral("--help")}, Request::Help,
                 QStringLiteral("/c"), {}},
        LineCase{"ShortenedVersion", {kProgram, QStringLiteral("--vers")}, Request::Version, std::nullopt, {}},
        LineCase{"HelpWinsOverUnknownOptions",
                 {kProgram, QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--h")}, Request::Help,
                 QStringLiteral("xcb"), {}},
        LineCase{"UnknownLongOption", {kProgram, QStringLiteral("--fullscreen")}, Request::Misuse, std::nullopt,
                 usageComplaint("unrecognized option '--fullscreen'")},
        LineCase{"LongerThanAnOption", {kProgram, QStringLiteral("--helpme")}, Request::Misuse, std::nullopt,
                 usageComplaint("unrecognized option '--helpme'")},
        LineCase{"EmptyOptionName", {kProgram, QStringLiteral("--=x")}, Request::Misuse, std::nullopt,
                 usageComplaint("unrecognized option '--=x'")},
        LineCase{"ShortOption", {kProgram, QStringLiteral("-v")}, Request::Misuse, std::nullopt,
                 usageComplaint("invalid option -- 'v'")},
        LineCase{"ValueForHelp", {kProgram, QStringLiteral("--help=all")}, Request::Misuse, std::nullopt,
                 usageComplaint("option '--help' doesn't allow an argument")},
        LineCase{"TwoFolders", {kProgram, QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")},
                 Request::Misuse, QStringLiteral("/a"), usageComplaint("extra operand '/b'")}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

}  // namespace

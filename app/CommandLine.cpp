#include "CommandLine.h"

#include <QFileInfo>

namespace {

constexpr char kHelpText[] =
    "Usage: %1 [OPTION]... [COURSE_FOLDER]\n"
    "Open the Tovrelle video-training course in COURSE_FOLDER.\n"
    "\n"
    "A course folder holds qel.ini and the folders Media and Sponsors.\n"
    "Without COURSE_FOLDER, the course beside the program is opened; failing\n"
    "that, the course opened last; failing that, a folder chooser asks for it.\n"
    "\n"
    "      --forget-progress  forget where you left off in the course and which\n"
    "                         lessons you watched, and start as on the first day\n"
    "      --help             display this help and exit\n"
    "      --version          output version information and exit\n"
    "\n"
    "The course opened last is kept in $XDG_CONFIG_HOME/tovrelle/tovrelle.conf,\n"
    "bookmarks in $XDG_DATA_HOME/tovrelle (by default ~/.config/tovrelle and\n"
    "~/.local/share/tovrelle). Each course's progress (the lesson and place you\n"
    "left off at, the lessons watched) is kept beside the bookmarks, in a file\n"
    "progress-*.txt named after the course's contents, so that the same course\n"
    "on another mount point or copied keeps it.\n";

// The long options, each matched by any prefix of its name.
struct LongOption {
    const char* name;
    CommandLine::Request request;
};
constexpr LongOption kLongOptions[] = {
    {"forget-progress", CommandLine::Request::Run},
    {"help", CommandLine::Request::Help},
    {"version", CommandLine::Request::Version},
};

}  // namespace

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine line;
    line.programName_ = arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).fileName();
    if (line.programName_.isEmpty())
        line.programName_ = QStringLiteral("tovrelle");
    bool optionsEnded = false;
    for (const QString& argument : arguments.mid(1)) {
        if (line.asksInformation())
            break;
        if (!optionsEnded && argument == QStringLiteral("--"))
            optionsEnded = true;
        else if (!optionsEnded && argument.startsWith(u'-') && argument != QStringLiteral("-"))
            line.takeOption(argument);
        else
            line.takeOperand(argument);
    }
    return line;
}

QStringList CommandLine::argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    return arguments;
}

void CommandLine::takeOption(const QString& argument)
{
    if (!argument.startsWith(QStringLiteral("--"))) {
        complain(QStringLiteral("invalid option -- '%1'").arg(argument.mid(1, 1)));
        return;
    }
    const QString name = argument.mid(2).section(u'=', 0, 0);
    for (const LongOption& option : kLongOptions) {
        if (name.isEmpty() || !QLatin1String(option.name).startsWith(name))
            continue;
        if (argument.contains(u'='))
            complain(QStringLiteral("option '--%1' doesn't allow an argument").arg(QLatin1String(option.name)));
        else if (option.request == Request::Run)
            forgetProgress_ = true;
        else
            request_ = option.request;
        return;
    }
    complain(QStringLiteral("unrecognized option '%1'").arg(argument));
}

void CommandLine::takeOperand(const QString& argument)
{
    if (courseFolder_)
        complain(QStringLiteral("extra operand '%1'").arg(argument));
    else
        courseFolder_ = argument;
}

// The first complaint is the one shown.
void CommandLine::complain(const QString& complaint)
{
    if (request_ == Request::Misuse)
        return;
    request_ = Request::Misuse;
    complaint_ = complaint;
}

int CommandLine::answer(QTextStream& out, QTextStream& err) const
{
    switch (request_) {
    case Request::Help:
        out << QString::fromLatin1(kHelpText).arg(programName_);
        break;
    case Request::Version:
        out << programName_ << " (Tovrelle) " << TOVRELLE_VERSION << '\n';
        break;
    case Request::Misuse:
        err << programName_ << ": " << complaint_ << '\n'
            << "Try '" << programName_ << " --help' for more information.\n";
        return 2;
    case Request::Run:
        break;
    }
    return 0;
}

int CommandLine::answer() const
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    return answer(out, err);
}

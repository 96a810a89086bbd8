#pragma once

#include <optional>

#include <QString>
#include <QStringList>
#include <QTextStream>

// What the command line asks for: "tovrelle [OPTION]... [COURSE_FOLDER]".
// Long options may be shortened to any unambiguous prefix, and "--" ends the
// options. A request for the help or the version wins over a malformed line,
// so that it is answered even before the window system has taken its own
// options out of the line.
class CommandLine {
public:
    enum class Request { Run, Help, Version, Misuse };

    // arguments: the whole line, the program's own path first.
    static CommandLine parse(const QStringList& arguments);

    // The line as the system passed it to main.
    static QStringList argumentsOf(int argc, char* argv[]);

    Request request() const { return request_; }
    // The folder given, as written; none when the line names no folder.
    const std::optional<QString>& courseFolder() const { return courseFolder_; }
    // --forget-progress: the course starts as on the first day.
    bool forgetsProgress() const { return forgetProgress_; }
    bool asksInformation() const { return request_ == Request::Help || request_ == Request::Version; }

    // Prints the help, the version, or the complaint with a pointer to
    // --help, and gives the exit status: 0, or 2 for a malformed line.
    int answer(QTextStream& out, QTextStream& err) const;
    // The same on standard output and standard error.
    int answer() const;

private:
    void takeOption(const QString& argument);
    void takeOperand(const QString& argument);
    void complain(const QString& complaint);

    QString programName_;
    Request request_ = Request::Run;
    std::optional<QString> courseFolder_;
    bool forgetProgress_ = false;
    QString complaint_;
};

// tovrelle-profile: the program's INI store and number conversions from the
// command line, for scripts and for checking files by hand. Arguments and
// output are bytes of the system code page (Windows-1252), passed through as
// they are.
//
//   tovrelle-profile read FILE SECTION KEY DEFAULT   prints the value
//   tovrelle-profile write FILE SECTION KEY VALUE
//   tovrelle-profile erase FILE SECTION
//   tovrelle-profile int TEXT                        strict integer conversion
//   tovrelle-profile position SECONDS [SEPARATOR]    position text of a number
//   tovrelle-profile seconds TEXT [SEPARATOR]        reads a position text back
//
// Errors are printed on standard error with the program's text; exit code 1.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "AppError.h"
#include "Codepage1252.h"
#include "Conversions.h"
#include "IniStore.h"

namespace {

using Arguments = std::vector<QString>;

QString argument(const char* bytes)
{
    return Codepage1252::decode(QByteArray(bytes));
}

void print(const QString& text)
{
    const QByteArray bytes = Codepage1252::encode(text) + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

QChar separatorArgument(const Arguments& args, std::size_t index)
{
    return args.size() > index && !args[index].isEmpty() ? args[index].front() : QChar(u'.');
}

struct Command {
    std::size_t minimumArguments;
    std::function<void(const Arguments&)> run;
};

const std::map<std::string, Command>& commands()
{
    static const std::map<std::string, Command> table = {
        {"read", {4, [](const Arguments& a) {
             IniStore store;
             store.open(a[0]);
             print(store.read(a[1], a[2], a[3]));
         }}},
        {"write", {4, [](const Arguments& a) {
             IniStore store;
             store.open(a[0]);
             store.write(a[1], a[2], a[3]);
             store.close();
         }}},
        {"erase", {2, [](const Arguments& a) {
             IniStore store;
             store.open(a[0]);
             store.erase(a[1]);
             store.close();
         }}},
        {"int", {1, [](const Arguments& a) { print(QString::number(Conversions::strToInt(a[0]))); }}},
        {"position", {1, [](const Arguments& a) {
             print(Conversions::floatToStr(std::strtod(a[0].toLatin1().constData(), nullptr), separatorArgument(a, 1)));
         }}},
        {"seconds", {1, [](const Arguments& a) {
             const double seconds = Conversions::strToFloat(a[0], separatorArgument(a, 1));
             print(QString::number(seconds, 'g', 17));
         }}},
    };
    return table;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: tovrelle-profile read FILE SECTION KEY DEFAULT | write FILE SECTION KEY VALUE |\n"
                 "       erase FILE SECTION | int TEXT | position SECONDS [SEP] | seconds TEXT [SEP]\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 2)
        return usage();
    const auto found = commands().find(argv[1]);
    Arguments args;
    for (int i = 2; i < argc; ++i)
        args.push_back(argument(argv[i]));
    if (found == commands().end() || args.size() < found->second.minimumArguments)
        return usage();
    try {
        found->second.run(args);
    } catch (const AppError& error) {
        std::fprintf(stderr, "%s\n", Codepage1252::encode(error.text()).constData());
        return 1;
    }
    return 0;
}

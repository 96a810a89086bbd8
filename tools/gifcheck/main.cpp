// gifcheck: shows how a banner GIF will be loaded and animated.
#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>
#include <QJsonDocument>

#include "GifCheck.h"

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Loads a GIF banner and prints what the banner control makes of it.");
    parser.addHelpOption();
    parser.addPositionalArgument("file", "The GIF file.");
    parser.addOption({"json", "Print one JSON document."});
    parser.addOption({"steps", "Take N animation steps.", "N", "0"});
    parser.addOption({"out", "Write each step's picture (RGB) and mask as PNG files into DIR.", "DIR"});
    parser.addOption({"speed", "Animation speed in percent.", "PERCENT", "100"});
    parser.addOption({"first-image-only", "Read only the first image."});
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    GifCheckOptions options;
    options.file = parser.positionalArguments().front();
    options.json = parser.isSet("json");
    options.steps = parser.value("steps").toInt();
    options.outputFolder = parser.value("out");
    options.speed = parser.value("speed").toInt();
    options.firstImageOnly = parser.isSet("first-image-only");
    GifCheck check(options);
    const bool loaded = check.run();
    const QByteArray out = options.json ? QJsonDocument(check.report()).toJson() : check.text().toUtf8();
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    return loaded ? 0 : 1;
}

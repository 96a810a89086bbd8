#include "GifCheck.h"

#include <QDir>
#include <QJsonArray>

#include "Clock.h"
#include "Codepage1252.h"
#include "GIFImage.h"

namespace {

// Time stands still while the checker steps the animation, so each step's
// display time is the frame's own.
class StoppedClock : public Clock {
public:
    std::int64_t tickCountMs() const override { return 0; }
};

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

}  // namespace

GifCheck::GifCheck(GifCheckOptions options) : options_(std::move(options)) {}

bool GifCheck::run()
{
    static StoppedClock clock;
    TGIFImage control;
    control.setClock(clock);
    control.setFirstImageOnly(options_.firstImageOnly);
    control.setSpeed(options_.speed);
    const bool loaded = control.LoadFromFile(options_.file);
    report_ = {{"file", options_.file}, {"loaded", loaded}, {"speed", control.Speed()}};
    if (!loaded)
        return false;
    report_["version"] = control.Version() == gvGIF89a ? "GIF89a" : "GIF87a";
    report_["screen"] = QJsonObject{{"width", control.ScreenSize().width()},
                                    {"height", control.ScreenSize().height()}};
    report_["loopCount"] = control.LoopCount();
    report_["frameCount"] = control.FrameCount();
    QJsonArray frames;
    for (int number = 1; number <= control.FrameCount(); ++number)
        frames.append(describeFrame(control, number));
    report_["frames"] = frames;
    animate(control);
    return true;
}

QJsonObject GifCheck::describeFrame(const TGIFImage& control, int number) const
{
    const TGIFFrame& frame = control.Frame(number);
    const QByteArray comment(frame.Comment.data(), qsizetype(frame.Comment.size()));
    QJsonObject out{{"number", number}, {"left", frame.Left}, {"top", frame.Top},
                    {"width", frame.Width}, {"height", frame.Height}, {"delay", frame.Delay},
                    {"disposal", frame.Disposal}, {"interlaced", frame.Interlaced},
                    {"transparent", frame.Transparent}, {"comment", Codepage1252::decode(comment)}};
    if (frame.Transparent) {
        out["transparentIndex"] = frame.TransparentIndex;
        out["transparentColour"] = QStringLiteral("#%1").arg(frame.TransparentColour & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    }
    return out;
}

// Step 0 is the picture as loaded; each further step is one tick of the
// animation timer, as long as the animation runs.
void GifCheck::animate(TGIFImage& control)
{
    QJsonArray steps;
    control.setAnimate(true);
    steps.append(step(control, 0, 1, control.AnimationTimer() ? control.DisplayTime(1) : -1));
    for (int number = 1; number <= options_.steps && control.AnimationTimer(); ++number) {
        int shown = control.CurrentFrame();
        if (shown < 1 || shown > control.FrameCount())
            shown = 1;
        control.AnimationTimer()->Tick();
        const int time = control.AnimationTimer() ? int(control.AnimationTimer()->Interval()) : -1;
        steps.append(step(control, number, shown, time));
    }
    report_["animationStopped"] = control.AnimationTimer() == nullptr;
    report_["steps"] = steps;
}

QJsonObject GifCheck::step(TGIFImage& control, int number, int shownFrame, int displayTime)
{
    QJsonObject out{{"step", number}, {"frame", shownFrame}};
    out["displayTime"] = displayTime < 0 ? QJsonValue() : QJsonValue(displayTime);
    if (options_.outputFolder.isEmpty())
        return out;
    const QDir folder(options_.outputFolder);
    const QString stem = QStringLiteral("step-%1").arg(number, 3, 10, QLatin1Char('0'));
    const QString rgb = folder.filePath(stem + QStringLiteral("-rgb.png"));
    if (control.CompositionImage().save(rgb))
        out["rgb"] = rgb;
    const QImage mask = control.MaskImage();
    const QString maskFile = folder.filePath(stem + QStringLiteral("-mask.png"));
    if (!mask.isNull() && mask.save(maskFile))
        out["mask"] = maskFile;
    return out;
}

QString GifCheck::text() const
{
    QStringList lines{QStringLiteral("file: %1").arg(report_["file"].toString()),
                      QStringLiteral("loaded: %1").arg(yesNo(report_["loaded"].toBool()))};
    if (!report_["loaded"].toBool())
        return lines.join('\n') + '\n';
    const QJsonObject screen = report_["screen"].toObject();
    lines << QStringLiteral("version: %1").arg(report_["version"].toString())
          << QStringLiteral("screen: %1 x %2").arg(screen["width"].toInt()).arg(screen["height"].toInt())
          << QStringLiteral("loop count: %1").arg(report_["loopCount"].toInt())
          << QStringLiteral("frames: %1").arg(report_["frameCount"].toInt());
    for (const QJsonValue& value : report_["frames"].toArray()) {
        const QJsonObject f = value.toObject();
        QString line = QStringLiteral("frame %1: at %2,%3 size %4 x %5 delay %6 ms disposal %7 interlaced %8 transparent %9")
            .arg(f["number"].toInt()).arg(f["left"].toInt()).arg(f["top"].toInt())
            .arg(f["width"].toInt()).arg(f["height"].toInt()).arg(f["delay"].toInt())
            .arg(f["disposal"].toInt()).arg(yesNo(f["interlaced"].toBool())).arg(yesNo(f["transparent"].toBool()));
        if (f["transparent"].toBool())
            line += QStringLiteral(" (index %1, %2)").arg(f["transparentIndex"].toInt()).arg(f["transparentColour"].toString());
        lines << line + QStringLiteral(" comment \"%1\"").arg(f["comment"].toString());
    }
    for (const QJsonValue& value : report_["steps"].toArray()) {
        const QJsonObject s = value.toObject();
        const QString time = s["displayTime"].isNull() ? QStringLiteral("until further notice")
                                                       : QStringLiteral("%1 ms").arg(s["displayTime"].toInt());
        QString line = QStringLiteral("step %1: frame %2 shown, %3").arg(s["step"].toInt()).arg(s["frame"].toInt()).arg(time);
        if (s.contains("rgb"))
            line += QStringLiteral(" -> %1").arg(s["rgb"].toString());
        if (s.contains("mask"))
            line += QStringLiteral(", %1").arg(s["mask"].toString());
        lines << line;
    }
    return lines.join('\n') + '\n';
}

// Measures the processor share of an animating 470 x 60 banner: the control
// animates on a shown window for a few seconds of real time, and the process's
// user + system time is divided by the wall time.
#include <cstdio>
#include <string>

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "BenchFiles.h"
#include "GIFImage.h"

namespace {

double processorSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string folder = argc > 1 ? argv[1] : "/tmp/tovrelle-gif-bench";
    const int seconds = argc > 2 ? std::stoi(argv[2]) : 5;
    makeBenchFiles(folder);

    QWidget window;
    window.resize(640, 120);
    auto* banner = new TGIFImage(&window);
    banner->setGeometry(85, 30, 470, 60);
    int steps = 0;
    banner->OnChange = [&](TGIFImage*) { ++steps; };
    banner->setAnimate(true);
    if (!banner->LoadFromFile(QString::fromStdString(bannerPath(folder)))) {
        std::printf("could not load the banner\n");
        return 1;
    }
    window.show();

    // Let start-up settle before measuring.
    QTimer::singleShot(500, &app, &QApplication::quit);
    app.exec();
    steps = 0;
    const double before = processorSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    app.exec();
    const double used = processorSeconds() - before;
    const double elapsed = wall.elapsed() / 1000.0;
    std::printf("banner %d frames, %d animation steps in %.2f s (%.1f steps/s)\n",
                banner->FrameCount(), steps, elapsed, steps / elapsed);
    std::printf("processor time %.3f s = %.2f %% of one core\n", used, 100.0 * used / elapsed);
    return 0;
}

// Times the bookmark menu of a lesson with 1,000 bookmarks, through the main
// window's own loadBookmarks and saveBookmarks: the file read key by key into
// the three lists, and the lists written back as the lesson's section, in a
// file that also holds four other lessons of the same size. Goal: under
// 100 ms each. Runs headless on a fixture course.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "MainWindowHarness.h"
#include "bookmarks/bmManager.h"

namespace {

constexpr int kBookmarks = 1000;
constexpr int kRuns = 5;

QByteArray sectionOf(int lesson)
{
    QByteArray bytes = "[vid" + QByteArray::number(lesson) + "]\r\nnumBm=" + QByteArray::number(kBookmarks) + "\r\n";
    for (int k = 1; k <= kBookmarks; ++k) {
        bytes += "bm" + QByteArray::number(k) + "=Bookmark number " + QByteArray::number(k) + "\r\n";
        bytes += "val" + QByteArray::number(k) + "=" + QByteArray::number(k * 1.25 + 0.001) + "\r\n";
    }
    return bytes;
}

double threadCpuMilliseconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Timing {
    double wallMs;
    double cpuMs;
};

// Median over the runs of the elapsed time and of the processor time this
// thread spent, which other programs on a busy machine do not inflate.
template <class Operation>
Timing median(Operation operation)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = threadCpuMilliseconds();
        operation();
        cpu.push_back(threadCpuMilliseconds() - cpuStart);
        wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

}  // namespace

int main()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    MainWindowHarness harness;
    harness.course.writeLessonCourse(true);
    QByteArray file;
    for (int lesson = 1; lesson <= 5; ++lesson)
        file += sectionOf(lesson);
    harness.course.writeFile(QStringLiteral("data/course.ini"), file);
    TfrmBm dialog;
    TfrmMain& w = harness.start();
    w.setBookmarkManager(&dialog);
    w.currentLesson = QStringLiteral("3");

    const Timing load = median([&] { w.loadBookmarks(); });
    const int loaded = dialog.bmList->count();
    const Timing save = median([&] { w.saveBookmarks(); });

    std::printf("loadBookmarks, %d of %d bookmarks into the three lists: %.1f ms (processor %.1f ms), "
                "median of %d (goal < 100 ms)\n", loaded, kBookmarks, load.wallMs, load.cpuMs, kRuns);
    std::printf("saveBookmarks, %d bookmarks as the lesson's section: %.1f ms (processor %.1f ms), "
                "median of %d (goal < 100 ms)\n", kBookmarks, save.wallMs, save.cpuMs, kRuns);
    if (!harness.errors.isEmpty())
        std::printf("errors: %s\n", qPrintable(harness.errors.join(u'\n')));
    return loaded == kBookmarks && harness.errors.isEmpty() ? 0 : 1;
}

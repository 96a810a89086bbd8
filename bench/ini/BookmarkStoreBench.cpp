// Times the bookmark file's worst realistic case: a lesson section of 1,000
// bookmarks read key by key and rewritten key by key through the INI store,
// the way the bookmark list loads and saves it. Goal: under 100 ms each.
#include <chrono>
#include <cstdio>

#include <QTemporaryDir>

#include "IniStore.h"

namespace {

constexpr int kBookmarks = 1000;
const QString kMarker = QStringLiteral("\u00A7ERROR\u00A7");

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void writeSection(const QString& path, const QString& section)
{
    IniStore store;
    store.open(path);
    store.erase(section);
    store.write(section, QStringLiteral("numBm"), QString::number(kBookmarks));
    for (int k = 1; k <= kBookmarks; ++k) {
        store.write(section, QStringLiteral("bm%1").arg(k), QStringLiteral("Bookmark number %1").arg(k));
        store.write(section, QStringLiteral("val%1").arg(k), QString::number(k * 1.25));
    }
    store.close();
}

int readSection(const QString& path, const QString& section)
{
    IniStore store;
    store.open(path);
    const int count = store.read(section, QStringLiteral("numBm"), QStringLiteral("0")).toInt();
    int accepted = 0;
    for (int k = 1; k <= count; ++k) {
        const QString value = store.read(section, QStringLiteral("val%1").arg(k), kMarker);
        const QString name = store.read(section, QStringLiteral("bm%1").arg(k), kMarker);
        if (!value.isEmpty() && value != kMarker && name != kMarker)
            ++accepted;
    }
    store.close();
    return accepted;
}

}  // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/bookmarks.ini");
    // Other lessons' sections around the measured one, as in a well-used file.
    for (int lesson = 1; lesson <= 5; ++lesson)
        writeSection(path, QStringLiteral("vid%1").arg(lesson));

    auto start = std::chrono::steady_clock::now();
    const int loaded = readSection(path, QStringLiteral("vid3"));
    const double loadMs = millisecondsSince(start);

    start = std::chrono::steady_clock::now();
    writeSection(path, QStringLiteral("vid3"));
    const double saveMs = millisecondsSince(start);

    std::printf("bookmark load, %d of %d entries: %.1f ms (goal < 100 ms)\n", loaded, kBookmarks, loadMs);
    std::printf("bookmark save, %d entries (2,001 writes): %.1f ms (goal < 100 ms)\n", kBookmarks, saveMs);
    return loaded == kBookmarks ? 0 : 1;
}

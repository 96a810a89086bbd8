#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "JpegEncoding.h"

// A course folder in a temporary directory, filled file by file by a test.
class CourseFixture {
public:
    QString dir() const { return folder_.path() + u'/'; }
    QString path(const QString& relative) const { return dir() + relative; }

    void writeFile(const QString& relative, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    }

    void writeJpeg(const QString& relative, int width, int height) const
    {
        writeFile(relative, plainJpeg(width, height));
    }

    void remove(const QString& relative) const { QFile::remove(path(relative)); }

    // Every skin picture both modes read, and the pages and sound they open.
    void writeSkin() const
    {
        for (const char* name : {"img_lessons_qel.jpg", "img_lessons.jpg", "vid_title.jpg", "main_bk.jpg",
                                 "lessons2_top_clstrip.jpg", "main2_top_clstrip.jpg", "sp2_clstrip.jpg",
                                 "showall.jpg", "tutorials_label_sml.jpg", "jobs_label_sml.jpg",
                                 "menubar_training.jpg", "menubar_resources.jpg", "menubar_sponsors.jpg"})
            writeJpeg(QStringLiteral("Media/") + QString::fromLatin1(name), 8, 4);
        writeFile(QStringLiteral("Media/frel_mabr.htm"), "<html></html>");
        writeFile(QStringLiteral("Media/blank.wav"), "RIFF");
        writeFile(QStringLiteral("Sponsors/index.htm"), "<html></html>");
    }

    // A lesson-mode course of three lessons, with or without the introduction.
    void writeLessonCourse(bool introduction) const
    {
        writeSkin();
        writeFile(QStringLiteral("qel.ini"),
                  "[Full]\r\nnumLessons=3\r\nlessonSp=16\r\nlessonOffset=40\r\nlessonHeight=84\r\n"
                  "selDrawOffset=-43\r\nbookmark=course.ini\r\n");
        for (int lesson = introduction ? 0 : 1; lesson <= 3; ++lesson)
            writeFile(QStringLiteral("Media/vid_0%1.avi").arg(lesson), "avi");
    }

private:
    QTemporaryDir folder_;
};

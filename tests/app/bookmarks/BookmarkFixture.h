#pragma once

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "MainWindowHarness.h"
#include "bookmarks/bmManager.h"

// A main window started on a fixture course and shown to its bookmarks, with
// the manager dialog wired to it, and the bookmark file to prepare and read.
class BookmarkFixture : public ::testing::Test {
protected:
    // Lesson mode, bookmark file "course.ini"; lesson 0 (the introduction) is loaded.
    TfrmMain& startLessonCourse(const QByteArray& bookmarkFile = QByteArray())
    {
        harness.course.writeLessonCourse(true);
        if (!bookmarkFile.isNull())
            harness.course.writeFile(QStringLiteral("data/course.ini"), bookmarkFile);
        return startWindow();
    }

    TfrmMain& startWindow(const QString& courseFolder = QString())
    {
        QDir().mkpath(harness.course.path(QStringLiteral("data")));
        w = &harness.startAt(courseFolder.isEmpty() ? harness.course.dir() : courseFolder);
        w->setBookmarkManager(&dialog);
        w->FormShow();
        return *w;
    }

    QString filePath(const QString& name = QStringLiteral("course.ini")) const
    {
        return harness.course.path(QStringLiteral("data/") + name);
    }
    QByteArray fileBytes(const QString& name = QStringLiteral("course.ini")) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    void makeReadOnly() const { ::chmod(QFile::encodeName(filePath()).constData(), 0444); }

    // The user's Add in the dialog with the video at that position.
    void addBookmark(const QString& name, double position)
    {
        harness.video->positionValue = position;
        dialog.txtNewBm->setText(name);
        dialog.btnAddBm->click();
    }

    void removeRow(int row)
    {
        dialog.bmList->setCurrentRow(row);
        dialog.btnBmRmClick->click();
    }

    // The three lists agree: names in the menu and the manager, positions beside them.
    void expectBookmarks(const QStringList& names, const QStringList& positions) const
    {
        QStringList menu, hidden, manager;
        for (int i = 0; i < w->selBm->count(); ++i)
            menu << w->selBm->itemText(i);
        for (int i = 0; i < w->selBmVal->count(); ++i)
            hidden << w->selBmVal->itemText(i);
        for (int i = 0; i < dialog.bmList->count(); ++i)
            manager << dialog.bmList->item(i)->text();
        EXPECT_EQ(menu, QStringList{QStringLiteral("<Manage Bookmarks>")} + names);
        EXPECT_EQ(hidden, QStringList{QStringLiteral("0")} + positions);
        EXPECT_EQ(manager, names);
    }

    MainWindowHarness harness;
    TfrmBm dialog;
    TfrmMain* w = nullptr;
};

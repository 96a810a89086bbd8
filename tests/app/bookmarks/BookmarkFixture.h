#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "MainWindowHarness.h"
#include "bookmarks/bmManager.h"

inline QStringList itemsOf(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

inline QStringList itemsOf(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

// A main window started on a fixture course and shown to its bookmarks, with
// the manager dialog wired to it, and the bookmark file to prepare and read.
class BookmarkFixture : public ::testing::Test {
protected:
    // A lesson-mode course whose bookmark file is "course.ini"; with the
    // introduction the loaded lesson is 0, otherwise 1.
    TfrmMain& startLessonCourse(bool introduction = true)
    {
        harness.course.writeLessonCourse(introduction);
        return startWindow();
    }

    TfrmMain& startWindow()
    {
        QDir().mkpath(harness.course.path(QStringLiteral("data")));
        w = &harness.start();
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
    void writeBookmarkFile(const QByteArray& bytes, const QString& name = QStringLiteral("course.ini")) const
    {
        harness.course.writeFile(QStringLiteral("data/") + name, bytes);
    }

    // The user's Add in the dialog with the video at that position.
    void addBookmark(const QString& name, double position)
    {
        harness.video->positionValue = position;
        dialog.txtNewBm->setText(name);
        dialog.btnAddBm->click();
    }

    // The three lists agree: names in the menu and the manager, positions beside them.
    void expectBookmarks(const QStringList& names, const QStringList& positions) const
    {
        EXPECT_EQ(itemsOf(w->selBm), QStringList{QStringLiteral("<Manage Bookmarks>")} + names);
        EXPECT_EQ(itemsOf(w->selBmVal), QStringList{QStringLiteral("0")} + positions);
        EXPECT_EQ(itemsOf(dialog.bmList), names);
    }

    MainWindowHarness harness;
    TfrmBm dialog;
    TfrmMain* w = nullptr;
};

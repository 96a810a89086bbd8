#pragma once

#include <QWebEngineUrlSchemeHandler>

#include "CourseFolder.h"

class QWebEngineProfile;

// Serves the course's files to the views under the course's own addresses,
// to the program's own loads and to course pages only: a page from elsewhere
// (a web page, a frame of another origin, a sandboxed frame) gets nothing.
// UI thread only.
class CourseSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT

public:
    // Makes the course's kind of address known to the engine; call once,
    // before the engine starts (before the first profile or view).
    static void registerScheme();

    // Has the profile serve this course folder, in place of any course it
    // served before.
    static void serve(QWebEngineProfile* profile, const QString& folder);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    CourseSchemeHandler(const QString& folder, QObject* parent);

    CourseFolder course_;
};

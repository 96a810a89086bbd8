#pragma once

#include <memory>

#include <QObject>

#include "CourseFolder.h"
#include "HtmlEngine.h"
#include "Shell.h"

class LearnerGesture;
class QUrl;
class QWebEngineDownloadRequest;
class QWebEngineNavigationRequest;
class QWebEngineNewWindowRequest;
class QWebEngineView;

// The HTML engine on Qt WebEngine. Before the first one is created, OpenGL and
// WebEngine must be prepared (see prepareWebEngine). Creating one starts the
// engine (Chromium and its helper processes) if it is not running.
// A page gets no windows of its own and the engine hands nothing to the
// desktop by itself: the link the learner clicks to open in a new window,
// download or follow to another program goes to the shell as an address;
// what a page asks for on its own, even in answer to a click, goes nowhere.
// Local files show only from the course folder, under the course's own
// addresses; no page reaches any other file.
class QtHtmlEngine : public QObject, public HtmlEngine {
    Q_OBJECT

public:
    // courseFolder: the native path of the folder whose files the view shows.
    QtHtmlEngine(Shell& shell, const QString& courseFolder);
    ~QtHtmlEngine() override;

    // A local file outside the course folder raises AppError like an invalid address.
    void navigate(const QString& address) override;
    QString currentAddress() const override;
    void applySettings(const HtmlSettings& settings) override;
    QWidget* view() override;
    void setContextMenuHandler(ContextMenuHandler handler) override;

    QWebEngineView* webView() const { return view_.get(); }

    // Call once, after prepareOpenGlForHtmlViews and before the first engine:
    // picks the software scene graph, and Chromium without its graphics
    // processor thread, when asked to and, when running as root, turns off
    // Chromium's sandbox, which refuses to start as root. Makes the course's
    // addresses known to the engine too, which only works before it starts.
    static void prepareWebEngine(bool softwareRendering);

private:
    void showContextMenu(const QPoint& pos);
    void openNewWindow(QWebEngineNewWindowRequest& request);
    void openDownload(QWebEngineDownloadRequest* download);
    void leaveForOtherProgram(QWebEngineNavigationRequest& request);
    void openOnDesktop(const QUrl& url);

    std::unique_ptr<QWebEngineView> view_;
    CourseFolder course_;
    LearnerGesture* learnerGesture_;
    ContextMenuHandler contextMenu_;
    Shell& shell_;
};

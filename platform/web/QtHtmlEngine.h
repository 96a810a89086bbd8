#pragma once

#include <memory>

#include <QObject>

#include "HtmlEngine.h"

class QWebEngineView;

// The HTML engine on Qt WebEngine. The program entry must prepare WebEngine
// before the application object exists (see prepareWebEngine).
class QtHtmlEngine : public QObject, public HtmlEngine {
    Q_OBJECT

public:
    QtHtmlEngine();
    ~QtHtmlEngine() override;

    void navigate(const QString& address) override;
    void applySettings(const HtmlSettings& settings) override;
    QWidget* view() override;
    void setContextMenuHandler(ContextMenuHandler handler) override;

    QWebEngineView* webView() const { return view_.get(); }

    // Call once in main before the QApplication is created: shares the GL
    // context WebEngine needs and, when running as root, turns off Chromium's
    // sandbox, which refuses to start as root.
    static void prepareWebEngine();

private:
    void showContextMenu(const QPoint& pos);

    std::unique_ptr<QWebEngineView> view_;
    ContextMenuHandler contextMenu_;
};

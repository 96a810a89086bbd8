#pragma once

#include <QByteArray>

// The HTML views draw through Qt's scene graph. On OpenGL that makes the whole
// window be composed through OpenGL at each repaint, so every video frame costs
// a full-window composition; with a software rasteriser in place of a graphics
// processor that composition runs on the processor and costs more than the
// video itself. There the views render in software instead and the window
// stays a plain raster window; with a real graphics processor nothing changes.

// True for the renderer names of OpenGL done on the processor, and for none.
bool isSoftwareRenderer(const QByteArray& renderer);

// Makes the OpenGL context that all others share, which the HTML engine needs
// before its libraries load, unless the application has one already; then asks
// OpenGL for its renderer through it. Returns true when the views should render
// in software. Making a context takes a while, so the program calls this only
// when the first page must show, after the application object exists.
bool prepareOpenGlForHtmlViews();

// Makes an OpenGL context and drops it again, which loads OpenGL's driver and
// its libraries, so that the share context above is made quickly later. For a
// worker thread; does nothing where the platform allows OpenGL on the UI
// thread only.
void loadOpenGlDriver();

#pragma once

#include <QByteArray>
#include <QString>

// The HTML views draw through Qt's scene graph. On OpenGL that makes the whole
// window be composed through OpenGL at each repaint, so every video frame costs
// a full-window composition; with a software rasteriser in place of a graphics
// processor that composition runs on the processor and costs more than the
// video itself. There the views render in software instead and the window
// stays a plain raster window; with a real graphics processor nothing changes.

// True for the renderer names of OpenGL done on the processor, and for none.
bool isSoftwareRenderer(const QByteArray& renderer);

// True when the machine has a graphics processor that programs may draw with:
// a render node of the kernel's graphics drivers whose driver is not one of
// its stand-ins without hardware (vgem, vkms), and OpenGL not told to run in
// software. Asking OpenGL itself would load its driver, and on a machine
// without a graphics processor Mesa's rasteriser and LLVM with it, tens of
// MiB for the life of the program; the kernel's list costs nothing.
// drmClass is the kernel's folder of graphics devices.
bool hasGraphicsProcessor(const QString& drmClass = QStringLiteral("/sys/class/drm"));

// Without a graphics processor, keeps the window system's OpenGL out of the
// program: the engine's start asks it about OpenGL even when the views render
// in software, and that alone would load Mesa's driver. Call before the
// application object exists; a choice the user made stands.
void keepOpenGlAwayWithoutGraphicsProcessor();

// Decides how the HTML views render, once, when the first page must show:
// in software at once without a graphics processor, so that no OpenGL driver
// loads; with one, through prepareOpenGlForHtmlViews. Returns true for software.
bool prepareRenderingForHtmlViews();

// Makes the OpenGL context that all others share, which the HTML engine needs
// before its libraries load, unless the application has one already; then asks
// OpenGL for its renderer through it. Returns true when the views should render
// in software. Making a context takes a while, so the program calls this only
// when the first page must show, after the application object exists.
bool prepareOpenGlForHtmlViews();

// Makes an OpenGL context and drops it again, which loads OpenGL's driver and
// its libraries, so that the share context above is made quickly later. For a
// worker thread; does nothing without a graphics processor, where the views
// need no OpenGL, and where the platform allows OpenGL on the UI thread only.
void loadOpenGlDriver();

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

// Asks OpenGL for its renderer and picks the software scene graph when the
// renderer is the processor. Call after the application object exists and
// before the first HTML view (the HTML engine does so itself).
void useSoftwareRenderingWithoutGpu();

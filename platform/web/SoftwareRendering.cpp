#include "SoftwareRendering.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>

bool isSoftwareRenderer(const QByteArray& renderer)
{
    const QByteArray name = renderer.toLower();
    return name.isEmpty() || name.contains("llvmpipe") || name.contains("softpipe") || name.contains("swrast")
        || name.contains("software rasterizer");
}

namespace {

QByteArray openGlRenderer()
{
    QOpenGLContext context;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!context.create() || !context.makeCurrent(&surface))
        return {};
    const auto* name = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    QByteArray renderer(name ? name : "");
    context.doneCurrent();
    return renderer;
}

}  // namespace

void useSoftwareRenderingWithoutGpu()
{
    if (isSoftwareRenderer(openGlRenderer()))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

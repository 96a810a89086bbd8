#include "SoftwareRendering.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE

bool isSoftwareRenderer(const QByteArray& renderer)
{
    const QByteArray name = renderer.toLower();
    return name.isEmpty() || name.contains("llvmpipe") || name.contains("softpipe") || name.contains("swrast")
        || name.contains("software rasterizer");
}

namespace {

QOpenGLContext* madeShareContext = nullptr;

void deleteShareContext()
{
    if (qt_gl_global_share_context() == madeShareContext)
        qt_gl_set_global_share_context(nullptr);
    delete std::exchange(madeShareContext, nullptr);
}

// The context is made even when OpenGL fails, as the engine itself would:
// its presence is what tells the engine it was set up in time.
QOpenGLContext& shareContext()
{
    if (QOpenGLContext* existing = qt_gl_global_share_context())
        return *existing;
    madeShareContext = new QOpenGLContext;
    madeShareContext->create();
    qt_gl_set_global_share_context(madeShareContext);
    qAddPostRoutine(deleteShareContext);
    return *madeShareContext;
}

QByteArray rendererOf(QOpenGLContext& context)
{
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!context.isValid() || !context.makeCurrent(&surface))
        return {};
    const auto* name = reinterpret_cast<const char*>(context.functions()->glGetString(GL_RENDERER));
    QByteArray renderer(name ? name : "");
    context.doneCurrent();
    return renderer;
}

}  // namespace

bool hasGraphicsProcessor(const QString& drmClass)
{
    if (qEnvironmentVariableIntValue("LIBGL_ALWAYS_SOFTWARE") != 0)
        return false;
    static const QStringList standIns = {QStringLiteral("vgem"), QStringLiteral("vkms")};
    const QDir devices(drmClass);
    for (const QString& node : devices.entryList({QStringLiteral("renderD*")}, QDir::AllEntries | QDir::System)) {
        const QString driver = QFileInfo(devices.filePath(node + QStringLiteral("/device/driver"))).symLinkTarget();
        if (!driver.isEmpty() && !standIns.contains(QFileInfo(driver).fileName()))
            return true;
    }
    return false;
}

void keepOpenGlAwayWithoutGraphicsProcessor()
{
    if (!hasGraphicsProcessor() && !qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
}

bool prepareRenderingForHtmlViews()
{
    return !hasGraphicsProcessor() || prepareOpenGlForHtmlViews();
}

bool prepareOpenGlForHtmlViews()
{
    return isSoftwareRenderer(rendererOf(shareContext()));
}

void loadOpenGlDriver()
{
    if (!hasGraphicsProcessor() || !QOpenGLContext::supportsThreadedOpenGL())
        return;
    QOpenGLContext context;
    context.create();
}

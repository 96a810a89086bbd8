#pragma once

#include <QApplication>
#include <QCoreApplication>

// The one application object of a test program, made on first use and kept to
// the end of the process, so that widgets can be created in any test.
inline QApplication& testApplication()
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *app;
    static int argc = 1;
    static char name[] = "tovrelle-test";
    static char* argv[] = {name, nullptr};
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return *new QApplication(argc, argv);
}

#include "platform/ui/SharedGraphicsContext.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QtGui/private/qopenglcontext_p.h>

void SharedGraphicsContext::deferUntilWebView()
{
    // Nor does Qt make one of its own with the application object.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts, false);
    if (QCoreApplication::instance() || QOpenGLContext::globalShareContext())
        return;
    // Held by Qt's global pointer for the whole run.
    qt_gl_set_global_share_context(new QOpenGLContext);
}

void SharedGraphicsContext::ensure()
{
    QOpenGLContext* context = QOpenGLContext::globalShareContext();
    if (!context) {
        context = new QOpenGLContext(QCoreApplication::instance());
        qt_gl_set_global_share_context(context);
    }
    if (context->isValid())
        return;
    context->setScreen(QGuiApplication::primaryScreen());
    context->setFormat(QSurfaceFormat::defaultFormat());
    context->create(); // may fail without GL: the engine then draws in software
}

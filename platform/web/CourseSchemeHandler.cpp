#include "CourseSchemeHandler.h"

#include <memory>

#include <QFile>
#include <QMimeDatabase>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace {

// The program's own loads come with no initiator; everything a page asks for
// carries the page's origin.
bool askedByCourse(const QWebEngineUrlRequestJob& job)
{
    return job.initiator().isEmpty() || job.initiator() == CourseFolder::origin();
}

}  // namespace

CourseSchemeHandler::CourseSchemeHandler(const QString& folder, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), course_(folder)
{
}

// Course pages share an origin of scheme and host, so that they read one
// another's files like pages of one site. The scheme is neither local nor
// secure: a local scheme would let its pages reach file: addresses, and a
// secure one would keep them from the plain-http scripts and pictures that
// banners and sponsor pages bring.
void CourseSchemeHandler::registerScheme()
{
    QWebEngineUrlScheme scheme(CourseFolder::kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setDefaultPort(QWebEngineUrlScheme::PortUnspecified);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void CourseSchemeHandler::serve(QWebEngineProfile* profile, const QString& folder)
{
    const QByteArray scheme(CourseFolder::kScheme);
    auto* serving = qobject_cast<const CourseSchemeHandler*>(profile->urlSchemeHandler(scheme));
    if (serving && serving->course_.folder() == CourseFolder(folder).folder())
        return;
    if (serving) {
        profile->removeUrlScheme(scheme);
        delete serving;
    }
    profile->installUrlSchemeHandler(scheme, new CourseSchemeHandler(folder, profile));
}

// The engine reads the file on its own thread while the job lives; the file
// goes with the job.
void CourseSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    if (!askedByCourse(*job)) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString path = course_.fileAt(job->requestUrl());
    auto file = std::make_unique<QFile>(path);
    if (path.isEmpty() || !file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    const QByteArray type = QMimeDatabase().mimeTypeForFile(path).name().toLatin1();
    QObject::connect(job, &QObject::destroyed, file.get(), &QObject::deleteLater);
    job->reply(type, file.release());
}

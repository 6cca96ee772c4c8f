#include "ui/browser/pageschemehandler.h"

#include <QBuffer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

void PageSchemeHandler::registerScheme()
{
    QWebEngineUrlScheme page(scheme);
    page.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    page.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(page);
}

QUrl PageSchemeHandler::publish(const QByteArray &page)
{
    m_page = page;
    m_url = QUrl(QStringLiteral("%1:page-%2").arg(QLatin1String(scheme)).arg(++m_serial));
    return m_url;
}

void PageSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    if (job->requestUrl() != m_url) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto *buffer = new QBuffer(job);
    buffer->setData(m_page);
    job->reply(QByteArrayLiteral("text/html;charset=utf-8"), buffer);
}

#pragma once

#include <QByteArray>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

// Serves the display page to the browser from memory under the "vantell:" scheme. Loading
// through a scheme, not setHtml(), has no size limit and lets the page declare its own encoding.
class PageSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    static constexpr const char *scheme = "vantell";

    // Registers the scheme; must run before the application object is created.
    static void registerScheme();

    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    // Keeps `page` as the document to serve and returns the address that loads it.
    QUrl publish(const QByteArray &page);

    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    QByteArray m_page;
    QUrl m_url;
    quint64 m_serial = 0;
};

#pragma once

#include <QWebEngineUrlRequestInterceptor>

// Keeps script pages off the network: a document served under the "vantell:" scheme may load
// nothing but from that scheme and data: addresses. Web pages (start page, help) are not touched.
class ScriptPageGuard : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;
};

#pragma once

#include <functional>

#include <QObject>
#include <QUrl>

class QNetworkAccessManager;

// The connection probe `testhttp`: a GET request whose only answer is whether it completed
// without an error. The probe never waits: the answer comes later from the event loop, so that
// the window and its browser go on working meanwhile. A request that has not completed within
// the time limit counts as failed (without one, a dead network would keep the answer from ever
// coming).
class HttpProbe : public QObject {
    Q_OBJECT
public:
    explicit HttpProbe(QObject *parent = nullptr, int timeoutMs = defaultTimeoutMs);

    // Asks `address`; `answer` receives true when the request completed without an error, false on
    // any error (no network, no such host, a refused connection, an error status, the time limit).
    // The body is discarded.
    void testhttp(const QUrl &address, std::function<void(bool reachable)> answer);
    // Requests not answered yet.
    int pending() const { return m_pending; }

    static constexpr int defaultTimeoutMs = 5000;

signals:
    void answered(bool reachable);

private:
    QNetworkAccessManager *m_network;
    int m_timeoutMs;
    int m_pending = 0;
};

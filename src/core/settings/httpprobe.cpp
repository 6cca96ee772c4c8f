#include "core/settings/httpprobe.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

HttpProbe::HttpProbe(QObject *parent, int timeoutMs)
    : QObject(parent), m_network(new QNetworkAccessManager(this)), m_timeoutMs(timeoutMs)
{
}

void HttpProbe::testhttp(const QUrl &address, std::function<void(bool reachable)> answer)
{
    QNetworkRequest request(address);
    request.setRawHeader("Accept", "text/html, */*");
    QNetworkReply *reply = m_network->get(request);
    ++m_pending;
    connect(reply, &QIODevice::readyRead, reply, [reply] { reply->readAll(); });
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline->start(m_timeoutMs);
    connect(reply, &QNetworkReply::finished, this, [this, reply, answer = std::move(answer)] {
        reply->deleteLater();
        --m_pending;
        const bool reachable = reply->error() == QNetworkReply::NoError;
        emit answered(reachable);
        if (answer)
            answer(reachable);
    });
}

#include "support/delayproxy.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace {

// Hands what `from` reads to `to` after `delayMs`, in the order it came.
void forward(QTcpSocket *from, QTcpSocket *to, int delayMs)
{
    QObject::connect(from, &QTcpSocket::readyRead, to, [from, to, delayMs] {
        const QByteArray bytes = from->readAll();
        QPointer<QTcpSocket> target(to);
        QTimer::singleShot(delayMs, to, [target, bytes] {
            if (target)
                target->write(bytes);
        });
    });
    QObject::connect(from, &QTcpSocket::disconnected, to,
                     [to, delayMs] { QTimer::singleShot(delayMs, to, [to] { to->disconnectFromHost(); }); });
}

} // namespace

DelayProxy::DelayProxy(quint16 target, int delayMs, QObject *parent)
    : QObject(parent), m_target(target), m_delayMs(delayMs)
{
    connect(&m_server, &QTcpServer::newConnection, this, &DelayProxy::accept);
    m_server.listen(QHostAddress::LocalHost, 0);
}

void DelayProxy::accept()
{
    while (QTcpSocket *client = m_server.nextPendingConnection()) {
        auto *upstream = new QTcpSocket(client);
        upstream->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        forward(client, upstream, m_delayMs);
        forward(upstream, client, m_delayMs);
        connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        upstream->connectToHost(QHostAddress::LocalHost, m_target);
    }
}

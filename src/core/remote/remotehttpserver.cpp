#include "core/remote/remotehttpserver.h"

#include <memory>

#include <QHttpServerRequest>
#include <QPointer>
#include <QTcpSocket>

namespace {

void write(QHttpServerResponder &responder, const HttpReply &reply)
{
    // Nothing here may be cached: the state changes all the time.
    responder.writeStatusLine(reply.status);
    responder.writeHeader("Content-Type", reply.contentType);
    responder.writeHeader("Content-Length", QByteArray::number(reply.body.size()));
    responder.writeHeader("Cache-Control", "no-store");
    responder.writeHeader("X-Content-Type-Options", "nosniff");
    responder.writeBody(reply.body.constData(), reply.body.size());
}

} // namespace

bool RemoteHttpServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // The server hands a WebSocket handshake to its WebSocket side only after it has offered it
    // here: answering it as well would put an HTTP answer in front of the handshake's.
    if (request.value("Upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
        return true;
    // Kept for an answer that comes later; the socket may be closed and deleted by then.
    auto responder = std::make_shared<std::optional<QHttpServerResponder>>(makeResponder(request, socket));
    const QPointer<QTcpSocket> peer(socket);
    const Respond respond = [responder, peer](const HttpReply &reply) {
        if (!responder->has_value())
            return;
        if (peer && peer->state() == QAbstractSocket::ConnectedState)
            write(**responder, reply);
        responder->reset();
    };
    if (const std::optional<HttpReply> reply = m_handler(request, respond))
        respond(*reply);
    return true;
}

void RemoteHttpServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
}

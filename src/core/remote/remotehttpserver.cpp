#include "core/remote/remotehttpserver.h"

#include <QHttpServerRequest>

bool RemoteHttpServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    // The server hands a WebSocket handshake to its WebSocket side only after it has offered it
    // here: answering it as well would put an HTTP answer in front of the handshake's.
    if (request.value("Upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
        return true;
    const HttpReply reply = m_handler(request);
    QHttpServerResponder responder = makeResponder(request, socket);
    // Nothing here may be cached: the state changes all the time.
    responder.writeStatusLine(reply.status);
    responder.writeHeader("Content-Type", reply.contentType);
    responder.writeHeader("Content-Length", QByteArray::number(reply.body.size()));
    responder.writeHeader("Cache-Control", "no-store");
    responder.writeHeader("X-Content-Type-Options", "nosniff");
    responder.writeBody(reply.body.constData(), reply.body.size());
    return true;
}

void RemoteHttpServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
}

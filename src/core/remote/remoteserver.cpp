#include "core/remote/remoteserver.h"

#include <climits>

#include <QDateTime>
#include <QHttpServerRequest>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QUrlQuery>
#include <QWebSocket>

#include "core/remote/accesstoken.h"
#include "core/editlive/pageedit.h"
#include "core/remote/boundedtcpserver.h"
#include "core/remote/pageeditmessage.h"
#include "core/remote/phonepage.h"
#include "core/remote/remotehttpserver.h"
#include "core/remote/remotetarget.h"

using Status = QHttpServerResponder::StatusCode;

struct RemoteServer::Client {
    std::unique_ptr<QWebSocket> socket;
    QString peer;
    bool follows = false;
    bool wantsText = false; // the script's own text, after its page and each edit
};

namespace {

QByteArray json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

HttpReply jsonReply(const QJsonObject &object, Status status = Status::Ok)
{
    return {status, "application/json", json(object)};
}

HttpReply errorReply(Status status, const QString &error)
{
    return jsonReply(QJsonObject{{QStringLiteral("ok"), false}, {QStringLiteral("error"), error}}, status);
}

double epochNow()
{
    return double(QDateTime::currentMSecsSinceEpoch());
}

QString bearer(const QHttpServerRequest &request)
{
    const QByteArray header = request.value("Authorization");
    if (header.startsWith("Bearer "))
        return QString::fromLatin1(header.mid(7).trimmed());
    return request.query().queryItemValue(QStringLiteral("token"));
}

} // namespace

RemoteServer::RemoteServer(RemoteTarget &target, QObject *parent) : QObject(parent), m_target(target)
{
    m_clock.start();
    m_pushTimer.setSingleShot(true);
    connect(&m_pushTimer, &QTimer::timeout, this, &RemoteServer::pushState);
}

RemoteServer::~RemoteServer()
{
    stop();
}

bool RemoteServer::start(const RemoteServerSettings &settings)
{
    stop();
    m_settings = settings;
    if (settings.allowNetwork && settings.token.isEmpty()) {
        m_error = QStringLiteral("a token is needed before the network is allowed");
        return false;
    }
    auto *tcp = new BoundedTcpServer(maxScriptBytes + 64 * 1024);
    connect(tcp, &BoundedTcpServer::overflowed, this,
            [this](const QString &peer) { emit refused(peer, QStringLiteral("request too large")); });
    const QHostAddress address = settings.allowNetwork ? QHostAddress::Any : QHostAddress::LocalHost;
    if (!tcp->listen(address, settings.port)) {
        m_error = tcp->errorString();
        delete tcp;
        return false;
    }
    m_http = std::make_unique<RemoteHttpServer>(
        [this](const QHttpServerRequest &request, const RemoteHttpServer::Respond &respond) {
            return answer(request, respond);
        });
    tcp->setParent(m_http.get());
    m_http->bind(tcp);
    connect(m_http.get(), &QAbstractHttpServer::newWebSocketConnection, this,
            &RemoteServer::acceptWebSockets);
    m_error.clear();
    return true;
}

void RemoteServer::stop()
{
    m_pushTimer.stop();
    // A socket says it is gone while it is deleted; the client must not be let go a second time.
    for (Client *client : std::as_const(m_clients)) {
        client->socket->disconnect(this);
        delete client;
    }
    m_clients.clear();
    m_http.reset();
}

bool RemoteServer::isListening() const
{
    return m_http != nullptr;
}

quint16 RemoteServer::port() const
{
    const QList<QTcpServer *> servers = m_http ? m_http->servers() : QList<QTcpServer *>();
    return servers.isEmpty() ? 0 : servers.constFirst()->serverPort();
}

bool RemoteServer::admitted(const QHostAddress &peer, const QString &offered, QString *why)
{
    if (!m_settings.allowNetwork) {
        // Listening on the loopback address alone, only this computer reaches the server.
        if (peer.isLoopback())
            return true;
        *why = QStringLiteral("only this computer may control the prompter");
        return false;
    }
    const QString name = peer.toString();
    if (!m_failures.allowed(name, now())) {
        *why = QStringLiteral("too many wrong tokens: try again later");
        return false;
    }
    if (!tokenaccepted(offered, m_settings.token, m_alsoAccepted)) {
        m_failures.failed(name, now());
        *why = QStringLiteral("wrong or missing token");
        return false;
    }
    m_failures.succeeded(name);
    return true;
}

bool RemoteServer::hostAllowed(const QByteArray &host) const
{
    // Without the network the server answers to its own addresses only, not to a name that
    // points at this computer by a trick of the resolver.
    return m_settings.allowNetwork || host.startsWith("127.0.0.1:") || host.startsWith("localhost:");
}

bool RemoteServer::originAllowed(const QByteArray &origin, const QByteArray &host) const
{
    // Programs send no origin; a browser does, and only our own page may use the API from one,
    // so that no web site the operator visits can drive the prompter.
    return origin.isEmpty() || origin == "http://" + host;
}

std::optional<HttpReply> RemoteServer::answer(const QHttpServerRequest &request,
                                              const RemoteHttpServer::Respond &respond)
{
    QString why;
    const QString peer = request.remoteAddress().toString();
    if (!admitted(request.remoteAddress(), bearer(request), &why)) {
        emit refused(peer, why);
        const bool locked = !m_failures.allowed(peer, now());
        return errorReply(locked ? Status::TooManyRequests : Status::Unauthorized, why);
    }
    const QByteArray host = request.value("Host");
    if (!hostAllowed(host)) {
        emit refused(peer, QStringLiteral("unexpected host"));
        return errorReply(Status::Forbidden, QStringLiteral("unexpected host name"));
    }
    if (!originAllowed(request.value("Origin"), host)) {
        emit refused(peer, QStringLiteral("foreign origin"));
        return errorReply(Status::Forbidden, QStringLiteral("requests from other web sites are refused"));
    }
    const QString path = request.url().path();
    const auto method = request.method();
    if (method == QHttpServerRequest::Method::Get) {
        if (path == QLatin1String("/") || path == QLatin1String("/index.html"))
            return HttpReply{Status::Ok, "text/html; charset=utf-8", phonepage()};
        if (path == QLatin1String("/api/state"))
            return jsonReply(snapshotmessage(m_target.snapshot()));
        if (path == QLatin1String("/api/paragraphs"))
            return paragraphs();
        if (path == QLatin1String("/api/commands"))
            return jsonReply(
                QJsonObject{{QStringLiteral("commands"), QJsonArray::fromStringList(remotecommandnames())}});
        return errorReply(Status::NotFound, QStringLiteral("no such address"));
    }
    if (method != QHttpServerRequest::Method::Post)
        return errorReply(Status::MethodNotAllowed, QStringLiteral("use GET or POST"));
    // JSON only: a browser must ask before it sends that to another site, and is never told yes.
    if (!request.value("Content-Type").startsWith("application/json"))
        return errorReply(Status::UnsupportedMediaType,
                          QStringLiteral("send the command as application/json"));
    const QByteArray body = request.body();
    if (path == QLatin1String("/api/command")) {
        if (body.size() > maxCommandBytes)
            return errorReply(Status::PayloadTooLarge,
                              QStringLiteral("a command is at most %1 bytes; send scripts to /api/script")
                                  .arg(maxCommandBytes));
        const ParsedCommand parsed = parsecommandmessage(body);
        if (parsed.command && parsed.command->action == RemoteAction::LoadScript)
            return errorReply(Status::BadRequest, QStringLiteral("send scripts to /api/script"));
        perform(parsed, respond);
        return std::nullopt;
    }
    if (path == QLatin1String("/api/edit")) {
        if (body.size() > maxCommandBytes)
            return errorReply(Status::PayloadTooLarge,
                              QStringLiteral("an edit is at most %1 bytes").arg(maxCommandBytes));
        return edit(body);
    }
    if (path == QLatin1String("/api/script")) {
        if (body.size() > maxScriptBytes)
            return errorReply(Status::PayloadTooLarge,
                              QStringLiteral("a script is at most %1 bytes").arg(maxRemoteScriptBytes));
        const QJsonDocument script = QJsonDocument::fromJson(body);
        if (!script.isObject())
            return errorReply(Status::BadRequest, QStringLiteral("send {\"name\": ..., \"text\": ...}"));
        perform(remotecommand(QStringLiteral("script"), script.object()), respond);
        return std::nullopt;
    }
    return errorReply(Status::NotFound, QStringLiteral("no such address"));
}

void RemoteServer::perform(const ParsedCommand &parsed, const RemoteHttpServer::Respond &respond)
{
    if (!parsed.command) {
        respond(errorReply(Status::BadRequest, parsed.error));
        return;
    }
    // The server may be stopped or gone when a late answer comes.
    const QPointer<RemoteServer> self(this);
    m_target.performAnswering(*parsed.command, [self, respond](const QString &error) {
        if (!self)
            return;
        if (!error.isEmpty())
            respond(errorReply(Status::Conflict, error));
        else
            respond(jsonReply(
                QJsonObject{{QStringLiteral("ok"), true},
                            {QStringLiteral("state"), snapshotmessage(self->m_target.snapshot())}}));
    });
}

HttpReply RemoteServer::paragraphs()
{
    const ScriptParagraphs script = m_target.paragraphs();
    QJsonArray list;
    for (qsizetype i = 0; i < script.texts.size(); ++i)
        list.append(QJsonObject{{QStringLiteral("index"), int(i)},
                                {QStringLiteral("text"), script.texts.at(i)},
                                {QStringLiteral("locked"), i < script.locked}});
    return jsonReply(QJsonObject{{QStringLiteral("paragraphs"), list}});
}

HttpReply RemoteServer::edit(const QByteArray &body)
{
    const QJsonObject request = QJsonDocument::fromJson(body).object();
    const QJsonValue index = request.value(QLatin1String("paragraph"));
    const QJsonValue text = request.value(QLatin1String("text"));
    const double number = index.toDouble(-1);
    if (!index.isDouble() || number != double(qint64(number)) || number < 0 || number > INT_MAX ||
        !text.isString())
        return errorReply(
            Status::BadRequest,
            QStringLiteral("send {\"paragraph\": a paragraph's index, \"text\": its new text}"));
    const int paragraph = int(number);
    switch (m_target.editParagraph(paragraph, text.toString())) {
    case ParagraphEdit::NoSuchParagraph:
        return errorReply(Status::BadRequest,
                          QStringLiteral("the script has no paragraph %1").arg(paragraph));
    case ParagraphEdit::Locked:
        return errorReply(Status::Conflict,
                          QStringLiteral("paragraph %1 has been read and is locked").arg(paragraph));
    case ParagraphEdit::Done:
        break;
    }
    return jsonReply(QJsonObject{{QStringLiteral("ok"), true}, {QStringLiteral("paragraph"), paragraph}});
}

void RemoteServer::acceptWebSockets()
{
    while (m_http && m_http->hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = m_http->nextPendingWebSocketConnection();
        if (!socket)
            break;
        QString why;
        const QUrlQuery query(socket->requestUrl());
        const QByteArray host = socket->requestUrl().authority().toUtf8();
        if (!admitted(socket->peerAddress(), query.queryItemValue(QStringLiteral("token")), &why) ||
            !hostAllowed(host) || !originAllowed(socket->origin().toUtf8(), host)) {
            emit refused(socket->peerAddress().toString(),
                         why.isEmpty() ? QStringLiteral("foreign origin") : why);
            // Closed from the event loop: the server is still busy with the handshake here.
            QWebSocket *refusedSocket = socket.release();
            QMetaObject::invokeMethod(
                refusedSocket,
                [refusedSocket, why] {
                    refusedSocket->close(QWebSocketProtocol::CloseCodePolicyViolated, why);
                    refusedSocket->deleteLater();
                },
                Qt::QueuedConnection);
            continue;
        }
        socket->setMaxAllowedIncomingMessageSize(maxScriptBytes);
        auto *client = new Client{std::move(socket), {}, false};
        client->peer = client->socket->peerAddress().toString();
        m_clients.append(client);
        connect(client->socket.get(), &QWebSocket::textMessageReceived, this,
                [this, client](const QString &message) { onMessage(client, message); });
        connect(client->socket.get(), &QWebSocket::binaryMessageReceived, this,
                [this, client](const QByteArray &) {
                    send(client,
                         QJsonObject{{QStringLiteral("type"), QStringLiteral("reply")},
                                     {QStringLiteral("ok"), false},
                                     {QStringLiteral("error"), QStringLiteral("send commands as text")}});
                });
        connect(client->socket.get(), &QWebSocket::disconnected, this, [this, client] {
            m_clients.removeOne(client);
            client->socket.release()->deleteLater();
            delete client;
        });
        send(client, snapshotmessage(m_target.snapshot()));
    }
}

void RemoteServer::onMessage(Client *client, const QString &message)
{
    const QByteArray bytes = message.toUtf8();
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    const QString type = object.value(QLatin1String("type")).toString();
    if (type == QLatin1String("ping")) {
        const double received = epochNow();
        send(client, QJsonObject{{QStringLiteral("type"), QStringLiteral("pong")},
                                 {QStringLiteral("sent"), object.value(QLatin1String("sent"))},
                                 {QStringLiteral("received"), received},
                                 {QStringLiteral("answered"), epochNow()}});
        return;
    }
    if (type == QLatin1String("led-by")) {
        const int port = object.value(QLatin1String("port")).toInt();
        if (port < 1 || port > 65535)
            return;
        bool mapped = false;
        const QHostAddress peer = client->socket->peerAddress();
        const quint32 ipv4 = peer.toIPv4Address(&mapped);
        emit ledElsewhere(mapped ? QHostAddress(ipv4).toString() : peer.toString(), quint16(port));
        return;
    }
    if (type == QLatin1String("follow")) {
        client->follows = true;
        client->wantsText = object.value(QLatin1String("scriptText")).toBool();
        sendScript(client);
        send(client, snapshotmessage(m_target.snapshot()));
        return;
    }
    QJsonObject reply{{QStringLiteral("type"), QStringLiteral("reply")}};
    if (object.contains(QLatin1String("id")))
        reply.insert(QStringLiteral("id"), object.value(QLatin1String("id")));
    // The client may be gone when a late answer comes: its socket is deleted after it.
    const QPointer<QWebSocket> socket(client->socket.get());
    const RemoteHttpServer::Respond respond = [socket, reply](const HttpReply &result) mutable {
        if (!socket)
            return;
        const QJsonObject answer = QJsonDocument::fromJson(result.body).object();
        reply.insert(QStringLiteral("ok"), answer.value(QLatin1String("ok")));
        if (answer.contains(QLatin1String("error")))
            reply.insert(QStringLiteral("error"), answer.value(QLatin1String("error")));
        socket->sendTextMessage(QString::fromUtf8(json(reply)));
    };
    const bool script = object.value(QLatin1String("command")).toString() == QLatin1String("script");
    if (!script && bytes.size() > maxCommandBytes)
        respond(errorReply(Status::PayloadTooLarge,
                           QStringLiteral("a command is at most %1 bytes").arg(maxCommandBytes)));
    else
        perform(parsecommandmessage(bytes), respond);
}

void RemoteServer::send(Client *client, const QJsonObject &message)
{
    client->socket->sendTextMessage(QString::fromUtf8(json(message)));
}

void RemoteServer::stateChanged()
{
    if (m_clients.isEmpty() || m_pushTimer.isActive())
        return;
    const qint64 wait = m_throttle.wait(now());
    if (wait == 0)
        pushState();
    else
        m_pushTimer.start(static_cast<int>(wait));
}

void RemoteServer::pushState()
{
    m_throttle.sent(now());
    const QJsonObject state = snapshotmessage(m_target.snapshot());
    for (Client *client : std::as_const(m_clients))
        send(client, state);
}

void RemoteServer::scriptChanged()
{
    for (Client *client : std::as_const(m_clients))
        if (client->follows)
            sendScript(client);
}

void RemoteServer::scriptEdited(const PageEdit &edit)
{
    const QJsonObject message = pageeditmessage(edit);
    for (Client *client : std::as_const(m_clients))
        if (client->follows) {
            send(client, message);
            if (client->wantsText)
                sendScriptText(client, m_target.script());
        }
}

void RemoteServer::paragraphsChanged(const QList<int> &changed, int count)
{
    QJsonArray indexes;
    for (const int index : changed)
        indexes.append(index);
    const QJsonObject message{{QStringLiteral("type"), QStringLiteral("paragraphs")},
                              {QStringLiteral("changed"), indexes},
                              {QStringLiteral("count"), count}};
    for (Client *client : std::as_const(m_clients))
        send(client, message);
}

void RemoteServer::sendScript(Client *client)
{
    const ScriptCopy script = m_target.script();
    send(client, QJsonObject{{QStringLiteral("type"), QStringLiteral("script")},
                             {QStringLiteral("path"), script.path},
                             {QStringLiteral("generation"), script.generation},
                             {QStringLiteral("layoutWidth"), script.layoutWidth},
                             {QStringLiteral("edits"), script.edits},
                             {QStringLiteral("pagelines"), QJsonArray::fromStringList(script.pagelines)}});
    if (client->wantsText)
        sendScriptText(client, script);
}

void RemoteServer::sendScriptText(Client *client, const ScriptCopy &script)
{
    // Apart from the page, and only to those who ask: a display needs the page alone, and a
    // script's text would double what it is sent.
    send(client, QJsonObject{{QStringLiteral("type"), QStringLiteral("script-text")},
                             {QStringLiteral("path"), script.path},
                             {QStringLiteral("edits"), script.edits},
                             {QStringLiteral("markup"), script.markup},
                             {QStringLiteral("lines"), QJsonArray::fromStringList(script.scriptlines)}});
}

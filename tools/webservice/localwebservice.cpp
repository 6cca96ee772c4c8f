#include "localwebservice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>
#include <QVersionNumber>

namespace {

QByteArray reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 431:
        return "Request Header Fields Too Large";
    default:
        return "Error";
    }
}

QByteArray page(const QString &title, const QString &body)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                          "<title>%1</title>"
                          "<style>body { background: #000; color: #fff; font-family: Arial, sans-serif; "
                          "margin: 1em 2em; } a { color: #0f0; }</style></head>\n"
                          "<body>%2</body></html>\n")
        .arg(title.toHtmlEscaped(), body)
        .toUtf8();
}

QByteArray contentType(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return "text/html; charset=utf-8";
    if (suffix == QLatin1String("css"))
        return "text/css; charset=utf-8";
    if (suffix == QLatin1String("svg"))
        return "image/svg+xml";
    if (suffix == QLatin1String("png"))
        return "image/png";
    return "text/plain; charset=utf-8";
}

} // namespace

LocalWebService::LocalWebService(QObject *parent) : QObject(parent), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &LocalWebService::acceptConnection);
}

bool LocalWebService::listen(quint16 port)
{
    return m_server->listen(QHostAddress::LocalHost, port);
}

quint16 LocalWebService::port() const
{
    return m_server->serverPort();
}

QUrl LocalWebService::url() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port()));
}

void LocalWebService::acceptConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        m_pending.insert(socket, {});
        // A client that sends nothing does not hold its connection for ever.
        auto *idle = new QTimer(socket);
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, socket, &QTcpSocket::abort);
        idle->start(idleTimeoutMs);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_pending.remove(socket);
            socket->deleteLater();
        });
    }
}

void LocalWebService::readRequest(QTcpSocket *socket)
{
    if (!m_pending.contains(socket)) {
        socket->readAll(); // the answer is on its way; anything more is not read
        return;
    }
    QByteArray &received = m_pending[socket];
    received += socket->readAll();
    const qsizetype headerEnd = received.indexOf("\r\n\r\n");
    if (headerEnd < 0) {
        if (received.size() > maxRequestBytes) {
            m_pending.remove(socket);
            send(socket, {431, "text/plain; charset=utf-8", "Request too large.\n", {}}, true);
        }
        return;
    }
    const QList<QByteArray> requestLine = received.left(received.indexOf("\r\n")).split(' ');
    m_pending.remove(socket);
    if (requestLine.size() != 3 || !requestLine.at(1).startsWith('/') ||
        !requestLine.at(2).startsWith("HTTP/1.")) {
        send(socket, {400, "text/plain; charset=utf-8", "Bad request.\n", {}}, true);
        return;
    }
    const QByteArray method = requestLine.at(0);
    const QString request = QString::fromLatin1(method + ' ' + requestLine.at(1));
    m_requests.append(request);
    emit requested(request);
    if (method != "GET" && method != "HEAD") {
        send(socket, {405, "text/plain; charset=utf-8", "Only GET and HEAD are served.\n", {}}, true);
        return;
    }
    const QUrl target(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(requestLine.at(1)));
    send(socket, respond(target), method == "GET");
}

LocalWebService::Response LocalWebService::respond(const QUrl &target) const
{
    const QString path = target.path();
    if (path == QLatin1String("/"))
        return {200,
                "text/html; charset=utf-8",
                page(QStringLiteral("Vantell web service"),
                     QStringLiteral("<h1>Vantell web service</h1><p><a href=\"/help/\">Help</a></p>")),
                {}};
    if (path == QLatin1String("/vantell/cgi/vn2.cgi"))
        return startPage(target);
    if (path == QLatin1String("/vantell/newversionh.html") ||
        path == QLatin1String("/vantell/newversionp.html"))
        return {200,
                "text/html; charset=utf-8",
                page(QStringLiteral("New version of Vantell"),
                     QStringLiteral("<h1>A new version of Vantell is available</h1>"
                                    "<p>This version is no longer supported. Please install Vantell %1 "
                                    "from <a href=\"/vantell/download/\">the download page</a>.</p>")
                         .arg(m_currentVersion.toHtmlEscaped())),
                {}};
    if (path == QLatin1String("/help"))
        return {301, "text/plain; charset=utf-8", "Moved.\n", "/help/"};
    if (path.startsWith(QLatin1String("/help/")))
        return helpPage(path.mid(6));
    return {404,
            "text/html; charset=utf-8",
            page(QStringLiteral("Not found"), QStringLiteral("<h1>Not found</h1>")),
            {}};
}

LocalWebService::Response LocalWebService::startPage(const QUrl &target) const
{
    const QUrlQuery query(target);
    const QString version = query.queryItemValue(QStringLiteral("v"));
    const QString edition = query.queryItemValue(QStringLiteral("t"));
    if (QVersionNumber::fromString(version) < QVersionNumber::fromString(m_currentVersion)) {
        const QByteArray update =
            edition == QLatin1String("H") ? "/vantell/newversionh.html" : "/vantell/newversionp.html";
        return {302, "text/plain; charset=utf-8", "Moved.\n", update};
    }
    return {200,
            "text/html; charset=utf-8",
            page(QStringLiteral("Vantell"),
                 QStringLiteral("<h1>Welcome to Vantell %1</h1>"
                                "<p>Open a script from the menu (right click on the logo at the left) to "
                                "start prompting.</p><p><a href=\"/help/\">How to use Vantell</a></p>")
                     .arg(version.toHtmlEscaped())),
            {}};
}

LocalWebService::Response LocalWebService::helpPage(const QString &path) const
{
    const Response missing{404,
                           "text/html; charset=utf-8",
                           page(QStringLiteral("Not found"), QStringLiteral("<h1>No such help page</h1>")),
                           {}};
    const QString relative = path.isEmpty() ? QStringLiteral("index.html") : path;
    // Only files inside the help folder are served.
    const QString clean = QDir::cleanPath(relative);
    if (m_helpDirectory.isEmpty() || clean.startsWith(QLatin1String("..")) || QDir::isAbsolutePath(clean))
        return missing;
    QFile file(QDir(m_helpDirectory).filePath(clean));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return missing;
    return {200, contentType(clean), file.readAll(), {}};
}

void LocalWebService::send(QTcpSocket *socket, const Response &response, bool withBody)
{
    QByteArray head =
        "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reason(response.status) + "\r\n";
    head += "Content-Type: " + response.contentType + "\r\n";
    head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    if (!response.location.isEmpty())
        head += "Location: " + response.location + "\r\n";
    head += "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
    socket->write(head);
    if (withBody)
        socket->write(response.body);
    socket->disconnectFromHost();
}

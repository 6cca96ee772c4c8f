#pragma once

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <QUrl>

class QTcpServer;
class QTcpSocket;

// A minimal HTTP/1.1 server on 127.0.0.1 that plays the product's web service:
//   /                        a plain home page (what the connection probe asks for)
//   /vantell/cgi/vn2.cgi     the start page; a query version older than the current one is
//                            redirected (302) to /vantell/newversionh.html (edition "H") or
//                            /vantell/newversionp.html (any other edition)
//   /vantell/newversion*.html the update pages
//   /help/...                the help pages, from a folder
// Every request is recorded. One request per connection; GET and HEAD only.
class LocalWebService : public QObject {
    Q_OBJECT
public:
    explicit LocalWebService(QObject *parent = nullptr);

    // Listens on 127.0.0.1 at `port` (0: any free port); false when the port cannot be had.
    bool listen(quint16 port = 0);
    quint16 port() const;
    // http://127.0.0.1:<port>/
    QUrl url() const;

    void setHelpDirectory(const QString &path) { m_helpDirectory = path; }
    // Start pages asked for by an older version redirect to an update page.
    void setCurrentVersion(const QString &version) { m_currentVersion = version; }

    // Each request as "METHOD target", in the order they came.
    QStringList requests() const { return m_requests; }

    static constexpr int maxRequestBytes = 16 * 1024;
    static constexpr int idleTimeoutMs = 10000;

signals:
    void requested(const QString &request);

private:
    struct Response {
        int status = 200;
        QByteArray contentType = "text/html; charset=utf-8";
        QByteArray body;
        QByteArray location;
    };

    void acceptConnection();
    void readRequest(QTcpSocket *socket);
    Response respond(const QUrl &target) const;
    Response startPage(const QUrl &target) const;
    Response helpPage(const QString &path) const;
    static void send(QTcpSocket *socket, const Response &response, bool withBody);

    QTcpServer *m_server;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QString m_helpDirectory;
    QString m_currentVersion = QStringLiteral(VANTELL_VERSION);
    QStringList m_requests;
};

#pragma once

#include <functional>

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHttpServerResponder>

// An HTTP answer: its status, content type and body.
struct HttpReply {
    QHttpServerResponder::StatusCode status = QHttpServerResponder::StatusCode::Ok;
    QByteArray contentType = "application/json";
    QByteArray body;
};

// An HTTP server that hands every request to one function and writes back what it answers.
class RemoteHttpServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    using Handler = std::function<HttpReply(const QHttpServerRequest &)>;
    explicit RemoteHttpServer(Handler handler, QObject *parent = nullptr)
        : QAbstractHttpServer(parent), m_handler(std::move(handler))
    {
    }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    Handler m_handler;
};

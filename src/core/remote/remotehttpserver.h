#pragma once

#include <functional>
#include <optional>

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QHttpServerResponder>

// An HTTP answer: its status, content type and body.
struct HttpReply {
    QHttpServerResponder::StatusCode status = QHttpServerResponder::StatusCode::Ok;
    QByteArray contentType = "application/json";
    QByteArray body;
};

// An HTTP server that hands every request to one function and writes back what it answers: at
// once, or later through the responder it is given (a command passed on to another prompter).
// A peer gone meanwhile is written nothing.
class RemoteHttpServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    // Answers the request; callable once, at any time.
    using Respond = std::function<void(const HttpReply &reply)>;
    // The answer, or nothing when it comes later through `respond`.
    using Handler =
        std::function<std::optional<HttpReply>(const QHttpServerRequest &, const Respond &respond)>;
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

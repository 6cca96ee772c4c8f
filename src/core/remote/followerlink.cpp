#include "core/remote/followerlink.h"

#include <cmath>

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUrlQuery>

#include "core/remote/pageeditmessage.h"

namespace {

double epochNow()
{
    return double(QDateTime::currentMSecsSinceEpoch());
}

QString json(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

constexpr int defaultPort = 7755;
constexpr int widestLayout = 100000;

} // namespace

std::optional<QUrl> leaderaddress(const QString &text, const QString &token)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(?:\[([0-9A-Fa-f:.]+)\]|([A-Za-z0-9.-]+))(?::(\d{1,5}))?$)"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const int port = match.captured(3).isEmpty() ? defaultPort : match.captured(3).toInt();
    if (port < 1 || port > 65535)
        return std::nullopt;
    QUrl address;
    address.setScheme(QStringLiteral("ws"));
    address.setHost(match.captured(1).isEmpty() ? match.captured(2) : match.captured(1));
    address.setPort(port);
    address.setPath(QStringLiteral("/socket"));
    if (!token.isEmpty())
        address.setQuery(QUrlQuery{{QStringLiteral("token"), token}});
    if (!address.isValid() || address.host().isEmpty())
        return std::nullopt;
    return address;
}

FollowerLink::FollowerLink(QObject *parent) : QObject(parent)
{
    m_socket.setMaxAllowedIncomingMessageSize(quint64(maxMessageBytes));
    m_socket.setMaxAllowedIncomingFrameSize(quint64(maxMessageBytes));
    m_pings.setInterval(pingIntervalMs);
    m_retry.setSingleShot(true);
    connect(&m_pings, &QTimer::timeout, this, &FollowerLink::ping);
    connect(&m_retry, &QTimer::timeout, this, &FollowerLink::open);
    connect(&m_socket, &QWebSocket::connected, this, &FollowerLink::opened);
    connect(&m_socket, &QWebSocket::disconnected, this, &FollowerLink::closed);
    connect(&m_socket, &QWebSocket::textMessageReceived, this, &FollowerLink::received);
}

FollowerLink::~FollowerLink()
{
    // The socket tells of its closing as it goes, when the timers it would stop are gone already.
    m_socket.disconnect(this);
}

void FollowerLink::follow(const QList<QUrl> &leaders)
{
    m_leaders = LeaderList(leaders);
    open();
}

void FollowerLink::open()
{
    m_socket.abort();
    m_socket.open(m_leaders.current());
}

void FollowerLink::opened()
{
    m_connected = true;
    m_leaders.answered();
    m_lastHeard.start();
    emit connectionChanged(true, {});
    ping();
    m_pings.start();
    askForScript();
}

void FollowerLink::askForScript()
{
    if (m_connected)
        m_socket.sendTextMessage(json(QJsonObject{{QStringLiteral("type"), QStringLiteral("follow")},
                                                  {QStringLiteral("scriptText"), m_wantsText}}));
}

bool FollowerLink::send(const QJsonObject &message)
{
    if (!m_connected)
        return false;
    m_socket.sendTextMessage(json(message));
    return true;
}

void FollowerLink::closed()
{
    const QString why = m_socket.closeReason().isEmpty() ? m_socket.errorString() : m_socket.closeReason();
    m_pings.stop();
    m_lastHeard.invalidate();
    if (m_connected || !m_retry.isActive()) {
        m_connected = false;
        emit connectionChanged(false, why);
    }
    const QUrl before = m_leaders.current();
    // The next leader at once; the same one again, or a new round, after a wait.
    const bool wait = m_leaders.failed();
    // Another leader's clock runs apart from the last one's.
    if (m_leaders.current() != before)
        m_offset = ClockOffset();
    m_retry.start(wait ? retryIntervalMs : 0);
}

void FollowerLink::ping()
{
    // A leader cut off without a word (a pulled cable, a machine off) closes no line: its silence
    // does, so that the next leader is tried.
    if (m_lastHeard.isValid() && m_lastHeard.elapsed() > silenceLimitMs) {
        m_socket.abort();
        return;
    }
    m_socket.sendTextMessage(json(
        QJsonObject{{QStringLiteral("type"), QStringLiteral("ping")}, {QStringLiteral("sent"), epochNow()}}));
}

void FollowerLink::received(const QString &text)
{
    m_lastHeard.start();
    emit heard();
    const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
    const QString type = message.value(QLatin1String("type")).toString();
    if (type == QLatin1String("reply")) {
        emit replyReceived(message);
        return;
    }
    if (type == QLatin1String("pong")) {
        const double returned = epochNow();
        const double sent = message.value(QLatin1String("sent")).toDouble(-1);
        const double arrived = message.value(QLatin1String("received")).toDouble(-1);
        const double answered = message.value(QLatin1String("answered")).toDouble(-1);
        // Only answers to our own pings, in an order time allows, count.
        if (sent > 0 && sent <= returned && arrived > 0 && answered >= arrived && returned - sent < 60000)
            m_offset.add(sent, arrived, answered, returned);
        return;
    }
    if (type == QLatin1String("state")) {
        std::optional<PrompterSnapshot> state = snapshotfrommessage(message);
        if (!state)
            return;
        if (m_offset.known())
            state->time -= m_offset.offset();
        emit stateReceived(*state);
        return;
    }
    if (type == QLatin1String("script")) {
        LeaderScript script;
        const QJsonArray lines = message.value(QLatin1String("pagelines")).toArray();
        for (const QJsonValue &line : lines)
            script.pagelines << line.toString();
        const int width = message.value(QLatin1String("layoutWidth")).toInt();
        script.layoutWidth = width > 0 && width <= widestLayout ? width : 0;
        script.generation = message.value(QLatin1String("generation")).toInt();
        script.edits = message.value(QLatin1String("edits")).toInt();
        emit scriptReceived(script);
        return;
    }
    if (type == QLatin1String("script-text")) {
        LeaderScriptText script;
        script.path = message.value(QLatin1String("path")).toString();
        script.edits = message.value(QLatin1String("edits")).toInt();
        script.markup = message.value(QLatin1String("markup")).toBool();
        const QJsonArray lines = message.value(QLatin1String("lines")).toArray();
        for (const QJsonValue &line : lines) {
            // Text lines or none: a script is never taken half.
            if (!line.isString())
                return;
            script.lines << line.toString();
        }
        emit scriptTextReceived(script);
        return;
    }
    if (type == QLatin1String("edit")) {
        if (const std::optional<PageEdit> edit = pageeditfrommessage(message))
            emit editReceived(*edit);
    }
}

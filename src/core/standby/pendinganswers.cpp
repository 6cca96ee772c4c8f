#include "core/standby/pendinganswers.h"

#include <utility>

#include <QJsonObject>

QString PendingAnswers::add(Answer answer, qint64 now)
{
    const QString id = QStringLiteral("standby-%1").arg(++m_sent);
    m_waiting.append(Waiting{id, now, std::move(answer)});
    return id;
}

bool PendingAnswers::answer(const QString &id, const QString &error)
{
    for (qsizetype i = 0; i < m_waiting.size(); ++i)
        if (m_waiting.at(i).id == id) {
            tell({m_waiting.takeAt(i)}, error);
            return true;
        }
    return false;
}

bool PendingAnswers::answer(const QJsonObject &reply)
{
    const QJsonValue id = reply.value(QLatin1String("id"));
    const QJsonValue ok = reply.value(QLatin1String("ok"));
    const QJsonValue error = reply.value(QLatin1String("error"));
    if (!id.isString() || !ok.isBool())
        return false;
    if (ok.toBool())
        return answer(id.toString(), QString());
    // A refusal without its reason would read as success.
    if (!error.isString() || error.toString().isEmpty())
        return false;
    return answer(id.toString(), error.toString());
}

void PendingAnswers::expire(qint64 now, const QString &error)
{
    QList<Waiting> late;
    // Sent in order: the late ones come first.
    while (!m_waiting.isEmpty() && now - m_waiting.constFirst().sent > answerLimitMs)
        late.append(m_waiting.takeFirst());
    tell(late, error);
}

void PendingAnswers::failAll(const QString &error)
{
    tell(std::exchange(m_waiting, {}), error);
}

void PendingAnswers::tell(const QList<Waiting> &answered, const QString &error)
{
    for (const Waiting &waiting : answered)
        waiting.answer(error);
}

#include "core/remote/leaderlist.h"

#include "core/remote/followerlink.h"

std::optional<QList<QUrl>> LeaderList::parse(const QString &text, const QString &token)
{
    QList<QUrl> leaders;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const std::optional<QUrl> address = leaderaddress(part, token);
        if (!address)
            return std::nullopt;
        if (!leaders.contains(*address))
            leaders << *address;
    }
    if (leaders.isEmpty())
        return std::nullopt;
    return leaders;
}

bool LeaderList::failed()
{
    if (m_leaders.isEmpty())
        return true;
    m_index = (m_index + 1) % m_leaders.size();
    if (++m_failedInRow < m_leaders.size())
        return false;
    m_failedInRow = 0;
    return true;
}

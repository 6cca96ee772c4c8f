#include "core/mos/mosrefusalnotices.h"

bool MosRefusalNotices::tell(const MosRefusal &refusal, qint64 now)
{
    const QString key = QStringLiteral("%1 %2").arg(refusal.peerName()).arg(int(refusal.reason));
    const auto found = m_told.constFind(key);
    if (found != m_told.cend() && now - *found < quietMs)
        return false;
    if (found == m_told.cend() && m_told.size() >= maxRemembered) {
        m_told.removeIf(
            [now](QHash<QString, qint64>::iterator told) { return now - told.value() >= quietMs; });
        // Still full: so many peers are refused at once that the notices told already say enough.
        if (m_told.size() >= maxRemembered)
            return false;
    }
    m_told.insert(key, now);
    return true;
}

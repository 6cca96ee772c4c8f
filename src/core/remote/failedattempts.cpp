#include "core/remote/failedattempts.h"

bool FailedAttempts::allowed(const QString &peer, qint64 now) const
{
    const auto found = m_peers.constFind(peer);
    return found == m_peers.cend() || now >= found->lockedUntil;
}

void FailedAttempts::failed(const QString &peer, qint64 now)
{
    if (!m_peers.contains(peer) && m_peers.size() >= maxPeers)
        forgetOld(now);
    Record &record = m_peers[peer];
    if (now - record.firstFailure > windowMs || record.failures == 0) {
        record.failures = 0;
        record.firstFailure = now;
    }
    if (++record.failures >= allowedFailures) {
        record.lockedUntil = now + lockoutMs;
        record.failures = 0;
    }
}

void FailedAttempts::succeeded(const QString &peer)
{
    m_peers.remove(peer);
}

void FailedAttempts::forgetOld(qint64 now)
{
    for (auto it = m_peers.begin(); it != m_peers.end();) {
        if (now >= it->lockedUntil && now - it->firstFailure > windowMs)
            it = m_peers.erase(it);
        else
            ++it;
    }
    // Still full: peers that are not locked out go first, however recent.
    for (auto it = m_peers.begin(); it != m_peers.end() && m_peers.size() >= maxPeers;) {
        if (now >= it->lockedUntil)
            it = m_peers.erase(it);
        else
            ++it;
    }
}

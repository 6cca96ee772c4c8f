#pragma once

#include <QHash>
#include <QString>

// Refuses a peer for a while once it has shown wrong tokens too often, so that guessing takes
// forever; the table of peers stays small however many come.
class FailedAttempts {
public:
    static constexpr int allowedFailures = 5;
    static constexpr qint64 windowMs = 60000;
    static constexpr qint64 lockoutMs = 30000;
    static constexpr int maxPeers = 1024;

    // Whether `peer` may try at `now` (milliseconds on any steady clock).
    bool allowed(const QString &peer, qint64 now) const;
    void failed(const QString &peer, qint64 now);
    void succeeded(const QString &peer);

private:
    struct Record {
        int failures = 0;
        qint64 firstFailure = 0;
        qint64 lockedUntil = 0;
    };
    void forgetOld(qint64 now);

    QHash<QString, Record> m_peers;
};

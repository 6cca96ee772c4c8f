#pragma once

#include <QHash>
#include <QString>

#include "core/mos/mosadmission.h"

// Which refusals the operator is told of: the first from a peer for a reason, then no other from
// that peer for that reason until `quietMs` has passed. A newsroom system that retries every few
// seconds, or connects again at once, is told of once, not in a flood of notices.
class MosRefusalNotices {
public:
    static constexpr qint64 quietMs = 60000;
    static constexpr int maxRemembered = 256;

    // Whether the refusal at `now` (milliseconds on any steady clock) is to be told; true means
    // it is told now.
    bool tell(const MosRefusal &refusal, qint64 now);

private:
    QHash<QString, qint64> m_told; // when each peer and reason was last told
};

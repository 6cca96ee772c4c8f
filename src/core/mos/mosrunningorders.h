#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include "core/mos/mosmessage.h"
#include "core/mos/mosrunningorder.h"

// What applying a message changed, for those who show the running orders.
struct MosChange {
    QString roId;
    bool created = false;  // a running order that was not there before
    bool replaced = false; // the whole running order was sent again
    bool deleted = false;
    bool storiesChanged = false; // stories added, removed, moved or renamed
    QStringList textChanged;     // the stories whose text changed
};

Q_DECLARE_METATYPE(MosChange)

struct MosApplied {
    QString error; // empty when the message was applied
    MosChange change;
};

// The running orders the newsroom has sent, oldest first. A message is applied wholly or not at
// all: it is worked out on a copy of the running order, which replaces the original only when
// every part of the message could be applied.
class MosRunningOrders {
public:
    static constexpr int maxRunningOrders = 64;
    static constexpr int maxStories = 10000; // of one running order
    static constexpr int maxItems = 1000;    // of one story

    MosApplied apply(const MosMessage &message);

    const QList<MosRunningOrder> &all() const { return m_orders; }
    const MosRunningOrder *find(const QString &roId) const;

private:
    qsizetype indexOf(const QString &roId) const;

    QList<MosRunningOrder> m_orders;
};

#include "core/mos/mosrunningorders.h"

namespace {

using Kind = MosMessage::Kind;
using Operation = MosElementAction::Operation;

struct Failure {
    QString reason;
};

template <typename Element> qsizetype indexById(const QList<Element> &list, const QString &id)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list.at(i).id == id)
            return i;
    return -1;
}

template <typename Element>
qsizetype existing(const QList<Element> &list, const QString &id, const QString &what)
{
    const qsizetype at = indexById(list, id);
    if (at < 0)
        throw Failure{QStringLiteral("no %1 %2").arg(what, id)};
    return at;
}

// What a story keeps when the newsroom sends it again without its text: the text it has and the
// status reported for it.
void carryOver(const MosStory &old, MosStory &fresh)
{
    if (old.id != fresh.id)
        return;
    if (!fresh.text)
        fresh.text = old.text;
    fresh.status = old.status;
}

void carryOver(const MosItem &old, MosItem &fresh)
{
    if (old.id == fresh.id)
        fresh.status = old.status;
}

template <typename Element>
void insertBefore(QList<Element> &list, const QString &target, const QList<Element> &added,
                  const QString &what)
{
    for (const Element &element : added)
        if (indexById(list, element.id) >= 0)
            throw Failure{QStringLiteral("%1 %2 is there already").arg(what, element.id)};
    const qsizetype at = target.isEmpty() ? list.size() : existing(list, target, what);
    for (qsizetype i = 0; i < added.size(); ++i)
        list.insert(at + i, added.at(i));
}

template <typename Element>
void replaceOne(QList<Element> &list, const QString &target, QList<Element> added, const QString &what)
{
    const qsizetype at = existing(list, target, what);
    for (Element &element : added) {
        const qsizetype same = indexById(list, element.id);
        if (same >= 0 && same != at)
            throw Failure{QStringLiteral("%1 %2 is there already").arg(what, element.id)};
        carryOver(list.at(at), element);
    }
    list.removeAt(at);
    for (qsizetype i = 0; i < added.size(); ++i)
        list.insert(at + i, added.at(i));
}

template <typename Element>
void moveBefore(QList<Element> &list, const QStringList &ids, const QString &target, const QString &what)
{
    if (!target.isEmpty() && ids.contains(target))
        throw Failure{QStringLiteral("%1 %2 cannot move before itself").arg(what, target)};
    QList<Element> moved;
    for (const QString &id : ids)
        moved << list.takeAt(existing(list, id, what));
    insertBefore(list, target, moved, what);
}

template <typename Element> void remove(QList<Element> &list, const QStringList &ids, const QString &what)
{
    for (const QString &id : ids)
        list.removeAt(existing(list, id, what));
}

template <typename Element> void swap(QList<Element> &list, const QStringList &ids, const QString &what)
{
    list.swapItemsAt(existing(list, ids.at(0), what), existing(list, ids.at(1), what));
}

template <typename Element>
void act(QList<Element> &list, const MosElementAction &action, const QList<Element> &added,
         const QString &target, const QString &what)
{
    switch (action.operation) {
    case Operation::Insert:
        insertBefore(list, target, added, what);
        break;
    case Operation::Replace:
        replaceOne(list, target, added, what);
        break;
    case Operation::Move:
        moveBefore(list, action.ids, target, what);
        break;
    case Operation::Delete:
        remove(list, action.ids, what);
        break;
    case Operation::Swap:
        swap(list, action.ids, what);
        break;
    }
}

void checkSize(const MosRunningOrder &order)
{
    if (order.stories.size() > MosRunningOrders::maxStories)
        throw Failure{QStringLiteral("more than %1 stories").arg(MosRunningOrders::maxStories)};
    for (const MosStory &story : order.stories)
        if (story.items.size() > MosRunningOrders::maxItems)
            throw Failure{QStringLiteral("more than %1 items in story %2")
                              .arg(MosRunningOrders::maxItems)
                              .arg(story.id)};
}

void applyAction(MosRunningOrder &order, const MosElementAction &action, MosChange &change)
{
    if (action.onItems) {
        MosStory &story =
            order.stories[existing(order.stories, action.targetStoryId, QStringLiteral("story"))];
        act(story.items, action, action.items, action.targetItemId, QStringLiteral("item"));
        return;
    }
    act(order.stories, action, action.stories, action.targetStoryId, QStringLiteral("story"));
    change.storiesChanged = true;
    // A story sent again with its text: the text counts as changed.
    for (const MosStory &story : action.stories)
        if (story.text)
            change.textChanged << story.id;
}

void applyStatus(MosRunningOrder &order, const MosElementStatus &status)
{
    using Element = MosElementStatus::Element;
    if (status.element == Element::RunningOrder) {
        order.status = status.status;
        return;
    }
    MosStory &story = order.stories[existing(order.stories, status.storyId, QStringLiteral("story"))];
    if (status.element == Element::Story)
        story.status = status.status;
    else
        story.items[existing(story.items, status.itemId, QStringLiteral("item"))].status = status.status;
}

void applyStory(MosRunningOrder &order, const MosStory &sent, MosChange &change)
{
    MosStory &story = order.stories[existing(order.stories, sent.id, QStringLiteral("story"))];
    if (!sent.slug.isEmpty() && sent.slug != story.slug) {
        story.slug = sent.slug;
        change.storiesChanged = true;
    }
    if (!sent.number.isEmpty())
        story.number = sent.number;
    if (story.text != sent.text) {
        story.text = sent.text;
        change.textChanged << story.id;
    }
}

void replaceMetadata(MosRunningOrder &order, const MosRunningOrder &metadata, MosChange &change)
{
    change.storiesChanged = order.slug != metadata.slug; // the running order's name is shown with them
    QList<MosStory> stories = std::move(order.stories);
    const QString airStatus = order.airStatus;
    const QString status = order.status;
    order = metadata;
    order.stories = std::move(stories);
    order.airStatus = airStatus;
    order.status = status;
}

} // namespace

const MosRunningOrder *MosRunningOrders::find(const QString &roId) const
{
    const qsizetype at = indexOf(roId);
    return at >= 0 ? &m_orders.at(at) : nullptr;
}

qsizetype MosRunningOrders::indexOf(const QString &roId) const
{
    return indexById(m_orders, roId);
}

MosApplied MosRunningOrders::apply(const MosMessage &message)
{
    MosApplied applied;
    MosChange &change = applied.change;
    change.roId = message.roId;
    const qsizetype at = indexOf(message.roId);
    try {
        switch (message.kind) {
        case Kind::Create:
        case Kind::Replace: {
            // Sent again under a name the device knows, or first sent as a replacement: either way
            // the newsroom's running order is this one from now on.
            MosRunningOrder order = message.runningOrder;
            checkSize(order);
            if (at >= 0) {
                const MosRunningOrder &old = m_orders.at(at);
                for (MosStory &story : order.stories) {
                    const qsizetype same = indexById(old.stories, story.id);
                    if (same >= 0)
                        carryOver(old.stories.at(same), story);
                }
                m_orders.removeAt(at);
                change.replaced = true;
            } else {
                if (m_orders.size() >= maxRunningOrders)
                    throw Failure{QStringLiteral("more than %1 running orders").arg(maxRunningOrders)};
                change.created = true;
            }
            change.storiesChanged = true;
            m_orders.append(order);
            return applied;
        }
        default:
            break;
        }
        if (at < 0)
            throw Failure{QStringLiteral("no running order %1").arg(message.roId)};
        if (message.kind == Kind::Delete) {
            m_orders.removeAt(at);
            change.deleted = true;
            return applied;
        }
        MosRunningOrder order = m_orders.at(at);
        switch (message.kind) {
        case Kind::MetadataReplace:
            replaceMetadata(order, message.runningOrder, change);
            break;
        case Kind::ElementAction:
            applyAction(order, message.action, change);
            checkSize(order);
            break;
        case Kind::ElementStatus:
            applyStatus(order, message.elementStatus);
            break;
        case Kind::ReadyToAir:
            order.airStatus = message.airStatus;
            break;
        case Kind::StorySend:
            applyStory(order, message.story, change);
            break;
        default:
            throw Failure{QStringLiteral("<%1> does not change a running order").arg(message.type)};
        }
        m_orders[at] = std::move(order);
    } catch (const Failure &failure) {
        applied.error = failure.reason;
        applied.change = MosChange();
        applied.change.roId = message.roId;
    }
    return applied;
}

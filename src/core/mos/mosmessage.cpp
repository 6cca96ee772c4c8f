#include "core/mos/mosmessage.h"

#include <QRegularExpression>
#include <QSet>

#include "core/mos/mosstorybody.h"
#include "core/mos/mosxml.h"

namespace {

using Kind = MosMessage::Kind;
using Operation = MosElementAction::Operation;

// A message that does not say what a running-order device needs: the reason, for the answer.
struct Refusal {
    QString reason;
};

QString required(const MosXmlNode &node, QStringView element)
{
    const QString value = node.childText(element);
    if (value.isEmpty())
        throw Refusal{QStringLiteral("<%1> has no <%2>").arg(node.name, element)};
    return value;
}

QStringList texts(const MosXmlNode &node, QStringView element)
{
    QStringList values;
    for (const MosXmlNode *child : node.all(element))
        values << child->textContent().trimmed();
    return values;
}

MosItem readItem(const MosXmlNode &node)
{
    MosItem item;
    item.id = required(node, u"itemID");
    item.slug = node.childText(u"itemSlug");
    item.objectId = node.childText(u"objID");
    item.objectSlug = node.childText(u"objSlug");
    item.mosId = node.childText(u"mosID");
    item.abstract = node.childText(u"mosAbstract");
    item.channel = node.childText(u"itemChannel");
    item.editorialStart = node.childText(u"itemEdStart");
    item.editorialDuration = node.childText(u"itemEdDur");
    item.userTimingDuration = node.childText(u"itemUserTimingDur");
    item.trigger = node.childText(u"itemTrigger");
    item.macroIn = node.childText(u"macroIn");
    item.macroOut = node.childText(u"macroOut");
    return item;
}

QList<MosItem> readItems(const MosXmlNode &node)
{
    QList<MosItem> items;
    QSet<QString> seen;
    for (const MosXmlNode *child : node.all(u"item")) {
        items << readItem(*child);
        if (seen.contains(items.last().id))
            throw Refusal{QStringLiteral("itemID %1 appears twice").arg(items.last().id)};
        seen.insert(items.last().id);
    }
    return items;
}

// Whether some element of `node` named float or floated says yes.
bool saysfloated(const MosXmlNode &node)
{
    for (const MosXmlNode &child : node.children) {
        if (child.isText())
            continue;
        const QString name = child.name.toLower();
        if (name == u"float" || name == u"floated") {
            const QString value = child.textContent().trimmed().toLower();
            if (value == u"true" || value == u"yes" || value == u"1")
                return true;
        }
        if (saysfloated(child))
            return true;
    }
    return false;
}

MosStory readStory(const MosXmlNode &node)
{
    MosStory story;
    story.id = required(node, u"storyID");
    story.slug = node.childText(u"storySlug");
    story.number = node.childText(u"storyNum");
    story.items = readItems(node);
    for (const MosXmlNode *metadata : node.all(u"mosExternalMetadata"))
        if (const MosXmlNode *payload = metadata->child(u"mosPayload"))
            story.floated = story.floated || saysfloated(*payload);
    return story;
}

QList<MosStory> readStories(const MosXmlNode &node)
{
    QList<MosStory> stories;
    QSet<QString> seen;
    for (const MosXmlNode *child : node.all(u"story")) {
        stories << readStory(*child);
        if (seen.contains(stories.last().id))
            throw Refusal{QStringLiteral("storyID %1 appears twice").arg(stories.last().id)};
        seen.insert(stories.last().id);
    }
    return stories;
}

MosRunningOrder readRunningOrderHeader(const MosXmlNode &node)
{
    MosRunningOrder order;
    order.id = required(node, u"roID");
    order.slug = node.childText(u"roSlug");
    order.channel = node.childText(u"roChannel");
    order.editorialStart = node.childText(u"roEdStart");
    order.editorialDuration = node.childText(u"roEdDur");
    order.trigger = node.childText(u"roTrigger");
    order.macroIn = node.childText(u"macroIn");
    order.macroOut = node.childText(u"macroOut");
    return order;
}

void requireIds(const QStringList &ids, const QString &message)
{
    if (ids.isEmpty())
        throw Refusal{QStringLiteral("<%1> names nothing to act on").arg(message)};
    if (QSet<QString>(ids.begin(), ids.end()).size() != ids.size())
        throw Refusal{QStringLiteral("<%1> names the same element twice").arg(message)};
    for (const QString &id : ids)
        if (id.isEmpty())
            throw Refusal{QStringLiteral("<%1> names an element without an ID").arg(message)};
}

MosElementAction readElementAction(const MosXmlNode &node)
{
    MosElementAction action;
    const QString operation = node.attribute(u"operation").trimmed().toUpper();
    static const QHash<QString, Operation> operations{{QStringLiteral("INSERT"), Operation::Insert},
                                                      {QStringLiteral("REPLACE"), Operation::Replace},
                                                      {QStringLiteral("MOVE"), Operation::Move},
                                                      {QStringLiteral("DELETE"), Operation::Delete},
                                                      {QStringLiteral("SWAP"), Operation::Swap}};
    if (!operations.contains(operation))
        throw Refusal{QStringLiteral("unknown operation \"%1\"").arg(operation)};
    action.operation = operations.value(operation);
    if (const MosXmlNode *target = node.child(u"element_target")) {
        action.targetStoryId = target->childText(u"storyID");
        action.targetItemId = target->childText(u"itemID");
    }
    const MosXmlNode *source = node.child(u"element_source");
    if (!source)
        throw Refusal{QStringLiteral("<roElementAction> has no <element_source>")};
    action.onItems = source->child(u"item") || source->child(u"itemID");
    const QString message = node.name;
    switch (action.operation) {
    case Operation::Insert:
    case Operation::Replace:
        if (action.onItems)
            action.items = readItems(*source);
        else
            action.stories = readStories(*source);
        if (action.items.isEmpty() && action.stories.isEmpty())
            throw Refusal{QStringLiteral("<roElementAction> has nothing to insert or replace with")};
        if (action.operation == Operation::Replace &&
            (action.targetStoryId.isEmpty() || (action.onItems && action.targetItemId.isEmpty())))
            throw Refusal{QStringLiteral("<roElementAction> does not say what to replace")};
        break;
    case Operation::Move:
    case Operation::Delete:
    case Operation::Swap:
        action.ids = texts(*source, action.onItems ? u"itemID" : u"storyID");
        requireIds(action.ids, message);
        if (action.operation == Operation::Swap && action.ids.size() != 2)
            throw Refusal{
                QStringLiteral("<roElementAction> swaps %1 elements, not two").arg(action.ids.size())};
        break;
    }
    if (action.onItems && action.targetStoryId.isEmpty())
        throw Refusal{QStringLiteral("<roElementAction> does not say whose items")};
    return action;
}

// The older messages, each one kind of element action.
MosElementAction readStoryMessage(const MosXmlNode &node)
{
    const QString &type = node.name;
    MosElementAction action;
    const QStringList ids = texts(node, u"storyID");
    if (type == u"roStoryAppend" || type == u"roStoryInsert" || type == u"roStoryReplace") {
        action.operation = type == u"roStoryReplace" ? Operation::Replace : Operation::Insert;
        if (type != u"roStoryAppend")
            action.targetStoryId = required(node, u"storyID");
        action.stories = readStories(node);
        if (action.stories.isEmpty())
            throw Refusal{QStringLiteral("<%1> has no <story>").arg(type)};
    } else if (type == u"roStoryMove") {
        // The story to move, then the one it goes before (blank: to the end).
        action.operation = Operation::Move;
        action.ids = ids.mid(0, 1);
        action.targetStoryId = ids.value(1);
        requireIds(action.ids, type);
    } else if (type == u"roStoryMoveMultiple") {
        // The stories to move, then the one they go before; a single one goes to the end.
        action.operation = Operation::Move;
        action.ids = ids.size() > 1 ? ids.mid(0, ids.size() - 1) : ids;
        action.targetStoryId = ids.size() > 1 ? ids.last() : QString();
        requireIds(ids, type);
    } else if (type == u"roStorySwap") {
        action.operation = Operation::Swap;
        action.ids = ids;
        requireIds(ids, type);
        if (ids.size() != 2)
            throw Refusal{QStringLiteral("<roStorySwap> names %1 stories, not two").arg(ids.size())};
    } else { // roStoryDelete
        action.operation = Operation::Delete;
        action.ids = ids;
        requireIds(ids, type);
    }
    return action;
}

MosElementAction readItemMessage(const MosXmlNode &node)
{
    const QString &type = node.name;
    MosElementAction action;
    action.onItems = true;
    action.targetStoryId = required(node, u"storyID");
    const QStringList ids = texts(node, u"itemID");
    if (type == u"roItemInsert" || type == u"roItemReplace") {
        action.operation = type == u"roItemReplace" ? Operation::Replace : Operation::Insert;
        action.targetItemId = ids.value(0);
        if (action.operation == Operation::Replace && action.targetItemId.isEmpty())
            throw Refusal{QStringLiteral("<roItemReplace> does not say which item")};
        action.items = readItems(node);
        if (action.items.isEmpty())
            throw Refusal{QStringLiteral("<%1> has no <item>").arg(type)};
    } else if (type == u"roItemMoveMultiple") {
        action.operation = Operation::Move;
        action.ids = ids.size() > 1 ? ids.mid(0, ids.size() - 1) : ids;
        action.targetItemId = ids.size() > 1 ? ids.last() : QString();
        requireIds(ids, type);
    } else { // roItemDelete
        action.operation = Operation::Delete;
        action.ids = ids;
        requireIds(ids, type);
    }
    return action;
}

MosElementStatus readElementStatus(const MosXmlNode &node)
{
    MosElementStatus status;
    const QString element = node.attribute(u"element").trimmed().toUpper();
    status.storyId = node.childText(u"storyID");
    status.itemId = node.childText(u"itemID");
    status.status = node.childText(u"status");
    if (element == u"RO")
        status.element = MosElementStatus::Element::RunningOrder;
    else if (element == u"STORY")
        status.element = MosElementStatus::Element::Story;
    else if (element == u"ITEM")
        status.element = MosElementStatus::Element::Item;
    else
        throw Refusal{QStringLiteral("<roElementStat> for an unknown element \"%1\"").arg(element)};
    if (status.element != MosElementStatus::Element::RunningOrder && status.storyId.isEmpty())
        throw Refusal{QStringLiteral("<roElementStat> has no <storyID>")};
    if (status.element == MosElementStatus::Element::Item && status.itemId.isEmpty())
        throw Refusal{QStringLiteral("<roElementStat> has no <itemID>")};
    return status;
}

MosStory readStorySend(const MosXmlNode &node)
{
    MosStory story;
    story.id = required(node, u"storyID");
    story.slug = node.childText(u"storySlug");
    story.number = node.childText(u"storyNum");
    const MosXmlNode *body = node.child(u"storyBody");
    story.text = body ? readstorybody(*body) : MosStoryText{};
    return story;
}

void readPayload(const MosXmlNode &node, MosMessage &message)
{
    const QString &type = node.name;
    static const QSet<QString> storyMessages{
        QStringLiteral("roStoryAppend"),      QStringLiteral("roStoryInsert"),
        QStringLiteral("roStoryReplace"),     QStringLiteral("roStoryMove"),
        QStringLiteral("roStorySwap"),        QStringLiteral("roStoryDelete"),
        QStringLiteral("roStoryMoveMultiple")};
    static const QSet<QString> itemMessages{QStringLiteral("roItemInsert"), QStringLiteral("roItemReplace"),
                                            QStringLiteral("roItemDelete"),
                                            QStringLiteral("roItemMoveMultiple")};
    if (type == u"heartbeat") {
        message.kind = Kind::Heartbeat;
    } else if (type == u"reqMachInfo") {
        message.kind = Kind::MachineInfoRequest;
    } else if (type == u"roAck" || type == u"mosAck") {
        message.kind = Kind::Acknowledgement;
    } else if (type == u"roReqAll") {
        message.kind = Kind::ListAllRequest;
    } else if (type == u"roList") {
        message.kind = Kind::List;
        message.runningOrder = readRunningOrderHeader(node);
        message.runningOrder.stories = readStories(node);
    } else if (type == u"roListAll") {
        message.kind = Kind::ListAll;
        for (const MosXmlNode *order : node.all(u"ro"))
            message.roIds << required(*order, u"roID");
    } else if (type == u"roCreate" || type == u"roReplace") {
        message.kind = type == u"roCreate" ? Kind::Create : Kind::Replace;
        message.runningOrder = readRunningOrderHeader(node);
        message.runningOrder.stories = readStories(node);
    } else if (type == u"roMetadataReplace") {
        message.kind = Kind::MetadataReplace;
        message.runningOrder = readRunningOrderHeader(node);
    } else if (type == u"roDelete" || type == u"roReq") {
        message.kind = type == u"roDelete" ? Kind::Delete : Kind::ListRequest;
        required(node, u"roID");
    } else if (type == u"roElementAction") {
        message.kind = Kind::ElementAction;
        required(node, u"roID");
        message.action = readElementAction(node);
    } else if (storyMessages.contains(type)) {
        message.kind = Kind::ElementAction;
        required(node, u"roID");
        message.action = readStoryMessage(node);
    } else if (itemMessages.contains(type)) {
        message.kind = Kind::ElementAction;
        required(node, u"roID");
        message.action = readItemMessage(node);
    } else if (type == u"roElementStat") {
        message.kind = Kind::ElementStatus;
        required(node, u"roID");
        message.elementStatus = readElementStatus(node);
    } else if (type == u"roReadyToAir") {
        message.kind = Kind::ReadyToAir;
        required(node, u"roID");
        message.airStatus = node.childText(u"roAir").toUpper();
        if (message.airStatus != u"READY" && message.airStatus != u"NOT READY")
            throw Refusal{QStringLiteral("<roAir> is neither READY nor NOT READY")};
    } else if (type == u"roStorySend") {
        message.kind = Kind::StorySend;
        required(node, u"roID");
        message.story = readStorySend(node);
    } else {
        message.kind = Kind::Unsupported;
    }
}

// What can be made out of a message that is not well-formed XML, so that the peer can match the
// refusal to the message it sent.
void salvage(const QString &text, MosMessage &message)
{
    static const QRegularExpression messageId(
        QStringLiteral("<messageID>\\s*([^<\\s]{1,64})\\s*</messageID>"));
    static const QRegularExpression roId(QStringLiteral("<roID>\\s*([^<]{1,128}?)\\s*</roID>"));
    static const QRegularExpression type(QStringLiteral("<(ro[A-Za-z]{2,40}|heartbeat|reqMachInfo)[\\s/>]"));
    message.messageId = messageId.match(text).captured(1);
    message.roId = roId.match(text).captured(1);
    message.type = type.match(text).captured(1);
}

bool isEnvelope(const QString &element)
{
    return element == u"mosID" || element == u"ncsID" || element == u"messageID" ||
           element == u"mosExternalMetadata";
}

} // namespace

bool MosMessage::isRunningOrderMessage() const
{
    switch (kind) {
    case Kind::Create:
    case Kind::Replace:
    case Kind::Delete:
    case Kind::MetadataReplace:
    case Kind::ElementAction:
    case Kind::ElementStatus:
    case Kind::ReadyToAir:
    case Kind::StorySend:
        return true;
    default:
        return false;
    }
}

MosParseResult parsemosmessage(const QString &text)
{
    MosParseResult result;
    MosMessage &message = result.message;
    const MosXmlDocument document = readmosxml(text);
    if (!document.error.isEmpty()) {
        salvage(text, message);
        result.error = QStringLiteral("malformed XML: %1").arg(document.error);
        return result;
    }
    const MosXmlNode &root = document.root;
    if (root.name != u"mos") {
        result.error = QStringLiteral("not a MOS message: <%1>").arg(root.name);
        return result;
    }
    message.mosId = root.childText(u"mosID");
    message.ncsId = root.childText(u"ncsID");
    message.messageId = root.childText(u"messageID");
    const MosXmlNode *payload = nullptr;
    for (const MosXmlNode &child : root.children) {
        if (!child.isText() && !isEnvelope(child.name)) {
            payload = &child;
            break;
        }
    }
    if (!payload) {
        result.error = QStringLiteral("the message is empty");
        return result;
    }
    message.type = payload->name;
    message.roId = payload->childText(u"roID");
    try {
        readPayload(*payload, message);
    } catch (const Refusal &refusal) {
        result.error = refusal.reason;
    }
    return result;
}

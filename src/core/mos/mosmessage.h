#pragma once

#include <QString>
#include <QStringList>

#include "core/mos/mosrunningorder.h"

// A change to the stories of a running order, or to the items of one story. The older messages
// of the protocol (roStoryInsert, roItemDelete, ...) are read into the same form.
struct MosElementAction {
    enum class Operation { Insert, Replace, Move, Delete, Swap };

    Operation operation = Operation::Insert;
    bool onItems = false; // items of the story `targetStoryId` instead of stories
    // Insert, move: the story (item) the new or moved ones go before; empty: at the end.
    // Replace: the story (item) replaced. Items: targetStoryId is their story.
    QString targetStoryId;
    QString targetItemId;
    QList<MosStory> stories; // insert, replace
    QList<MosItem> items;    // insert, replace
    QStringList ids;         // move, delete, swap: the stories (items) concerned, in order
};

// A status the newsroom reports for a running order, one of its stories or one item.
struct MosElementStatus {
    enum class Element { RunningOrder, Story, Item };

    Element element = Element::RunningOrder;
    QString storyId;
    QString itemId;
    QString status;
};

struct MosMessage {
    enum class Kind {
        Heartbeat,
        MachineInfoRequest,
        Create,          // roCreate
        Replace,         // roReplace
        Delete,          // roDelete
        MetadataReplace, // roMetadataReplace
        ElementAction,   // roElementAction and the older story and item messages
        ElementStatus,   // roElementStat
        ReadyToAir,      // roReadyToAir
        ListRequest,     // roReq
        ListAllRequest,  // roReqAll
        List,            // roList: a running order the newsroom was asked for
        ListAll,         // roListAll: the running orders the newsroom holds
        StorySend,       // roStorySend
        Acknowledgement, // roAck or mosAck from the peer: nothing to answer
        Unsupported,     // a message of a profile this device does not claim
    };

    Kind kind = Kind::Unsupported;
    QString type; // the message element's own name, e.g. "roStoryMove"
    QString mosId;
    QString ncsId;
    QString messageId;
    QString roId;
    MosRunningOrder runningOrder; // create, replace; metadata replace (without stories)
    MosElementAction action;
    MosElementStatus elementStatus;
    QString airStatus;
    MosStory story;    // story send: the story with its text
    QStringList roIds; // roListAll: the running orders named

    // A running-order message: answered with roAck.
    bool isRunningOrderMessage() const;
};

// A message read from its text. When `error` is set the message is malformed and `message` holds
// only what could be read of it (its type, messageID and roID), for the negative answer.
struct MosParseResult {
    MosMessage message;
    QString error;
};

MosParseResult parsemosmessage(const QString &text);

#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "core/mos/mosrunningorder.h"

// The keys of the paragraphs of a running order's stories, followed through the newsroom's edits
// (followparagraphs), so that a page finds each paragraph again when its story changes.
class StoryParagraphKeys {
public:
    // The keys of the paragraphs of `text`, story `storyId`'s text now. A story seen for the first
    // time gets keys counted from 0; one whose text was changed unseen is followed to it first.
    QList<int> keys(const QString &storyId, const MosStoryText &text);
    // Follows story `storyId` to its new `text`: by the key of each paragraph that has gone, the
    // key of the paragraph now standing in its place.
    QHash<int, int> follow(const QString &storyId, const MosStoryText &text);
    // Story `storyId` starts anew: its paragraphs' keys count from 0 again.
    void forget(const QString &storyId);
    // Forgets the stories not among `storyIds`.
    void keepOnly(const QStringList &storyIds);

private:
    struct Followed {
        QStringList paragraphs;
        QList<int> keys;
        int nextKey = 0;
    };

    QHash<QString, Followed> m_stories;
};

#include "core/mos/storyparagraphkeys.h"

#include <QSet>

#include "core/mos/storylines.h"

namespace {

QStringList paragraphsof(const MosStoryText &text)
{
    QStringList paragraphs;
    paragraphs.reserve(text.paragraphs.size());
    for (const MosParagraph &paragraph : text.paragraphs)
        paragraphs << paragraphtext(paragraph);
    return paragraphs;
}

} // namespace

QList<int> StoryParagraphKeys::keys(const QString &storyId, const MosStoryText &text)
{
    follow(storyId, text);
    return m_stories.value(storyId).keys;
}

QHash<int, int> StoryParagraphKeys::follow(const QString &storyId, const MosStoryText &text)
{
    const QStringList paragraphs = paragraphsof(text);
    const auto known = m_stories.find(storyId);
    if (known == m_stories.end()) {
        Followed first;
        first.paragraphs = paragraphs;
        for (int key = 0; key < paragraphs.size(); ++key)
            first.keys << key;
        first.nextKey = int(paragraphs.size());
        m_stories.insert(storyId, first);
        return {};
    }
    if (known->paragraphs == paragraphs)
        return {};
    const FollowedParagraphs followed =
        followparagraphs(known->paragraphs, known->keys, paragraphs, known->nextKey);
    known->paragraphs = paragraphs;
    known->keys = followed.keys;
    return followed.replacedBy;
}

void StoryParagraphKeys::forget(const QString &storyId)
{
    m_stories.remove(storyId);
}

void StoryParagraphKeys::keepOnly(const QStringList &storyIds)
{
    const QSet<QString> kept(storyIds.cbegin(), storyIds.cend());
    m_stories.removeIf([&kept](const auto &story) { return !kept.contains(story.key()); });
}

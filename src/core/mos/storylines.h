#pragma once

#include <QHash>
#include <QList>
#include <QStringList>

#include "core/mos/mosrunningorder.h"

enum class InstructionDisplay { Dimmed, Hidden };

// The plain text of a paragraph, instructions included: what tells one version of a paragraph
// from another.
QString paragraphtext(const MosParagraph &paragraph);

// The script lines of a story for the page: a line to each paragraph, its text escaped, bold,
// italic and underlined runs in their tags, instructions dimmed or left out (a paragraph of
// nothing but instructions then goes with them). Each line starts with an empty mark that carries
// its paragraph's key from `keys` (one to each paragraph), by which the page finds the paragraph
// again when the story changes.
QStringList storylines(const MosStoryText &text, InstructionDisplay display, const QList<int> &keys);

// The key of each paragraph of a story's new version, and where to look for those that are gone.
struct FollowedParagraphs {
    QList<int> keys;
    // A paragraph that is no longer there (changed or removed), by its old key: the key of the
    // paragraph now standing in its place.
    QHash<int, int> replacedBy;
};

// Follows the paragraphs of a story from its text `before` (with `beforeKeys`) to `after`: a
// paragraph found unchanged keeps its key, in the order of the longest common run of paragraphs;
// new and changed ones get fresh keys counted on from `nextKey`.
FollowedParagraphs followparagraphs(const QStringList &before, const QList<int> &beforeKeys,
                                    const QStringList &after, int &nextKey);

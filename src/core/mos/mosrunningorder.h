#pragma once

#include <optional>

#include <QList>
#include <QString>

// A running order as the newsroom system describes it: the show's stories in order, each with
// the media items (clips, graphics) placed in it and, once the newsroom has sent it, its text.

struct MosItem {
    QString id;
    QString slug;
    QString objectId;
    QString objectSlug;
    QString mosId; // the device that owns the object
    QString abstract;
    QString channel;
    QString editorialStart;
    QString editorialDuration;
    QString userTimingDuration;
    QString trigger;
    QString macroIn;
    QString macroOut;
    QString status; // the last status the newsroom reported for it

    bool operator==(const MosItem &) const = default;
};

// A stretch of a story's text with one look. Instructions are text the presenter does not read
// aloud: directions in brackets, presenter instructions, the words of a package.
struct MosTextRun {
    QString text;
    bool instruction = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const MosTextRun &) const = default;
};

using MosParagraph = QList<MosTextRun>;

// The body of a story as the newsroom sent it: its paragraphs in order.
struct MosStoryText {
    QList<MosParagraph> paragraphs;

    bool operator==(const MosStoryText &) const = default;
};

struct MosStory {
    QString id;
    QString slug;
    QString number;
    QList<MosItem> items;
    QString status;
    std::optional<MosStoryText> text; // none until the newsroom sends the story's body
    // Floated: kept in the running order but left out of the show, as the newsroom marks it in the
    // story's external metadata (an element "float" or "floated" of its payload, "true", "yes" or 1).
    bool floated = false;

    bool operator==(const MosStory &) const = default;
    qsizetype itemIndex(const QString &itemId) const;
};

struct MosRunningOrder {
    QString id;
    QString slug;
    QString channel;
    QString editorialStart;
    QString editorialDuration;
    QString trigger;
    QString macroIn;
    QString macroOut;
    QString airStatus; // "READY" or "NOT READY" once the newsroom has said
    QString status;
    QList<MosStory> stories;

    bool operator==(const MosRunningOrder &) const = default;
    qsizetype storyIndex(const QString &storyId) const;
};

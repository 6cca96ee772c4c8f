#pragma once

#include <functional>
#include <optional>

#include <QString>
#include <QStringList>

#include "core/render/page.h"

// A story of the continuous page as an editor takes it.
struct EditableStory {
    int key = -1;
    int firstLine = 0; // its banner's line among the page's script lines; its text follows
    QString name;
    QString path;      // its script file; empty: a newsroom story, which has none here
    QStringList lines; // its script lines as the page has them
    ScriptText text = ScriptText::Markup;
};

// The stories of the continuous page, for an editor of one of them: the rest of the page stays
// as it is while one story changes.
class StoryEditing {
public:
    virtual ~StoryEditing() = default;
    virtual bool showsContinuous() const = 0;
    // The story at the reading line; nothing without a continuous page.
    virtual std::optional<EditableStory> onAirStory() const = 0;
    // The story `key` as the page has it now; nothing once it has left the page.
    virtual std::optional<EditableStory> story(int key) const = 0;
    // Puts `lines` in place of story `key`'s script lines on every display, in place, the line at
    // the reading line staying where it is; `done` runs once the prompter's page has them. False,
    // and nothing done, when the story is no longer on the page.
    virtual bool editStory(int key, const QStringList &lines, std::function<void()> done) = 0;
};

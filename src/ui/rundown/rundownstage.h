#pragma once

#include <functional>

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include "core/rundown/continuousscript.h"

// The continuous queue as a source of stories other than files (the newsroom's running order)
// uses it: which stories the queue holds, that they have changed, and the show's planned end.
class RundownStage {
public:
    virtual ~RundownStage() = default;
    // The queue holds the stories `stories` gives as they are now, the show named `name`, instead
    // of the operator's script files; none: the script files again.
    virtual void setStories(std::function<QList<RundownEntry>()> stories, const QString &name) = 0;
    // The stories have changed: a continuous page takes them in place, the line at the reading
    // line staying where it is. `replacedBy` names, by story key and by the key of a paragraph
    // that has gone, the paragraph standing in its place. `done` runs once the page has them.
    virtual void storiesChanged(const QHash<int, QHash<int, int>> &replacedBy = {},
                                std::function<void()> done = {}) = 0;
    // Whether the page shows the queue as one continuous page now.
    virtual bool showsContinuous() const = 0;
    // Whether the queue is to be one continuous page (the operator's switch for its kind).
    virtual bool isContinuous() const = 0;
    // The end the show's source plans; invalid: none.
    virtual void setPlannedEnd(const QDateTime &end) = 0;
};

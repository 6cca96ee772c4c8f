#pragma once

#include <QList>
#include <QString>

#include "core/rundown/continuousscript.h"

// How the stories of a continuous page change when the show changes under it.

// The keys of the stories that keep their place when the page's order of stories goes from
// `before` to `after`: as many as can stay (the longest run of `after` that keeps the order of
// `before`), so that a move changes only the stories moved and an edit none.
QList<int> stayingstories(const QList<int> &before, const QList<int> &after);

// `after`, and the story on air (`onAirKey`) kept where it stood in `before` if the show has taken
// it out (deleted or floated it): the talent may be reading it. It says `note` on its banner, and
// goes once the operator moves on to another story.
QList<RundownEntry> keepingonair(const QList<RundownEntry> &before, const QList<RundownEntry> &after,
                                 int onAirKey, const QString &note);

// The lines story `span` of a continuous script takes on `page`, the page built from the script
// (its body tag, then a line to each script line); none when the page is shorter.
QStringList storypagelines(const QStringList &page, const StorySpan &span);

// The banner of story `span` as `page` holds it (its first line without the element that opens
// the story and the line break after).
QString storybannermarkup(const QStringList &page, const StorySpan &span);

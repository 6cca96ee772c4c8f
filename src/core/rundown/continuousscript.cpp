#include "core/rundown/continuousscript.h"

#include <QSet>

#include "core/engine/readingestimate.h"
#include "core/rundown/storybanner.h"

namespace {
const QString storyStart = QStringLiteral("<div data-vantell-story=\"%1\">");
const QString storyEnd = QStringLiteral("</div>");
} // namespace

QString storynumber(const RundownEntry &entry, int place)
{
    return entry.number.trimmed().isEmpty() ? QString::number(place + 1) : entry.number.trimmed();
}

QString storyopeningline(const RundownEntry &entry, const QString &number, int words, int wordsPerMinute)
{
    const StoryBanner banner{number, entry.name, entry.textKnown ? readingms(words, wordsPerMinute) : -1,
                             entry.note};
    return storyStart.arg(entry.key) + bannerline(banner);
}

QStringList storyscriptlines(const RundownEntry &entry, const QString &number,
                             const QStringList &specialtable, int wordsPerMinute, int &words)
{
    const QStringList text = scriptmarkup(entry.lines, specialtable, entry.text);
    words = entry.textKnown ? wordcount(text) : 0;
    QStringList lines;
    lines.reserve(text.size() + 2);
    lines << storyopeningline(entry, number, words, wordsPerMinute);
    lines << text;
    lines << closingtags(text) + storyEnd;
    return lines;
}

ContinuousScript assemblestories(const QList<RundownEntry> &entries, const StoryLinesMaker &make)
{
    ContinuousScript script;
    QSet<int> placed;
    for (int index = 0; index < entries.size(); ++index) {
        const RundownEntry &entry = entries.at(index);
        if (entry.floated || placed.contains(entry.key))
            continue;
        placed.insert(entry.key);
        StorySpan span;
        span.entry = index;
        span.key = entry.key;
        span.number = storynumber(entry, int(script.stories.size()));
        span.name = entry.name;
        span.firstLine = int(script.lines.size());
        const QStringList lines = make(entry, span.number, span.words);
        span.lineCount = int(lines.size());
        script.lines << lines;
        script.stories << span;
    }
    return script;
}

ContinuousScript assemblecontinuous(const QList<RundownEntry> &entries, const QStringList &specialtable,
                                    int wordsPerMinute)
{
    return assemblestories(entries, [&](const RundownEntry &entry, const QString &number, int &words) {
        return storyscriptlines(entry, number, specialtable, wordsPerMinute, words);
    });
}

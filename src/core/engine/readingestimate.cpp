#include "core/engine/readingestimate.h"

#include <algorithm>

#include <QHash>
#include <QRegularExpression>

#include "core/engine/scriptmarkers.h"
#include "core/rundown/storybanner.h"

namespace {

// Tags that end a word where they stand, as the page breaks lines or boxes there.
bool breakstag(QStringView tag)
{
    static const QStringList breaking{
        QStringLiteral("br"), QStringLiteral("p"),  QStringLiteral("div"),   QStringLiteral("li"),
        QStringLiteral("td"), QStringLiteral("th"), QStringLiteral("tr"),    QStringLiteral("hr"),
        QStringLiteral("h1"), QStringLiteral("h2"), QStringLiteral("h3"),    QStringLiteral("h4"),
        QStringLiteral("h5"), QStringLiteral("h6"), QStringLiteral("table"), QStringLiteral("ul"),
        QStringLiteral("ol"), QStringLiteral("dt"), QStringLiteral("dd"),    QStringLiteral("blockquote")};
    qsizetype end = 0;
    while (end < tag.size() && tag.at(end).isLetterOrNumber())
        ++end;
    return breaking.contains(tag.first(end).toString(), Qt::CaseInsensitive);
}

// A character reference (&eacute;, &#233;) as the page reads it, each read once. One read as
// nothing alone (a lone space) parts words all the same.
QString referencetext(const QString &reference)
{
    thread_local QHash<QString, QString> read;
    auto found = read.constFind(reference);
    if (found == read.cend()) {
        const QString text = linetext(reference);
        found = read.insert(reference, text.isEmpty() ? QStringLiteral(" ") : text);
    }
    return *found;
}

// Text between tags, its references read. False for a bare '&', which HTML reads by rules of its own.
bool appendtext(QString &text, QStringView part)
{
    qsizetype at = 0;
    while (at < part.size()) {
        const qsizetype amp = part.indexOf(QLatin1Char('&'), at);
        if (amp < 0) {
            text += part.mid(at);
            return true;
        }
        text += part.mid(at, amp - at);
        const qsizetype semicolon = part.indexOf(QLatin1Char(';'), amp);
        if (semicolon < 0 || semicolon - amp > 32)
            return false;
        text += referencetext(part.mid(amp, semicolon - amp + 1).toString());
        at = semicolon + 1;
    }
    return true;
}

// The text of a script line for counting its words. A line of text, inline tags and character
// references (nearly every line of a rich script) is read by dropping the tags, many times faster
// than reading it as HTML; any other line is read as the page reads it.
QString wordtext(const QString &line)
{
    if (line.contains(QLatin1String("<!")) || line.contains(QLatin1String("<script"), Qt::CaseInsensitive) ||
        line.contains(QLatin1String("<style"), Qt::CaseInsensitive))
        return linetext(line);
    QString text;
    text.reserve(line.size());
    qsizetype at = 0;
    while (at < line.size()) {
        const qsizetype open = line.indexOf(QLatin1Char('<'), at);
        if (!appendtext(text, QStringView(line).mid(at, open < 0 ? -1 : open - at)))
            return linetext(line);
        if (open < 0)
            break;
        const qsizetype close = line.indexOf(QLatin1Char('>'), open);
        if (close < 0)
            return linetext(line);
        QStringView tag = QStringView(line).mid(open + 1, close - open - 1);
        if (tag.startsWith(QLatin1Char('/')))
            tag = tag.mid(1);
        if (breakstag(tag))
            text += QLatin1Char(' ');
        at = close + 1;
    }
    return text;
}

} // namespace

int wordcount(const QStringList &scriptlines)
{
    static const QRegularExpression word(QStringLiteral("[\\w'’-]+"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    int words = 0;
    for (const QString &line : scriptlines) {
        // Markers and the banners between a continuous page's stories are not read aloud.
        if (markername(line) || isbannerline(line))
            continue;
        auto match = word.globalMatch(wordtext(line));
        while (match.hasNext()) {
            match.next();
            ++words;
        }
    }
    return words;
}

qint64 readingms(int words, int wpm)
{
    wpm = std::clamp(wpm, ReadingPace::minWpm, ReadingPace::maxWpm);
    return qint64(words) * 60000 / wpm;
}

QString readingclock(qint64 ms)
{
    // Rounded to the nearest second: an estimate of 59.6 s reads as a minute.
    const qint64 seconds = (std::max<qint64>(ms, 0) + 500) / 1000;
    if (seconds < 3600)
        return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QDateTime endforecast(const QDateTime &now, qint64 remainingMs, qint64 steadyMs, bool running)
{
    if (!running || steadyMs < steadyAfterMs)
        return {};
    return now.addMSecs(remainingMs);
}

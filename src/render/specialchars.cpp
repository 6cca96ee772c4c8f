#include "render/specialchars.h"

#include "platform/textfile.h"
#include "render/miniawk.h"

namespace {

QString joinWithLineEnds(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

} // namespace

QStringList &convertchars(const QString &direction, QStringList &lines, const QStringList &specialtable,
                          const std::function<void(int index, int count)> &progress)
{
    const bool toPage = direction == QLatin1String("page");
    TAwkParser parser;
    parser.Separator = QStringLiteral("\t");

    // Every entry joins the list with CR LF, replaces, and splits it again at any line break.
    // Sources and targets never hold a line break (they come from single table lines), so after
    // the first split every break is a CR LF and joining again would give back the same text:
    // the first entry works on the raw join, the others on one normalised text.
    QString text;
    const int count = static_cast<int>(specialtable.size());
    for (int i = 0; i < count; ++i) {
        if (progress)
            progress(i, count);
        parser.Parse(specialtable.at(i));
        const QString source = parser.GetField(toPage ? 3 : 2);
        const QString target = parser.GetField(toPage ? 2 : 3);
        if (i == 0)
            text = joinWithLineEnds(lines);
        if (!source.isEmpty())
            text.replace(source, target, Qt::CaseSensitive);
        if (i == 0)
            text = joinWithLineEnds(splitlines(text));
    }
    if (count > 0)
        lines = splitlines(text);
    return lines;
}

QStringList loadspecialtable(const QString &path)
{
    return readtextlines(path);
}

#include "core/remote/pageeditmessage.h"

#include <climits>

#include <QJsonArray>

namespace {

// A whole number within [minimum, maximum], or nothing.
std::optional<int> wholenumber(const QJsonValue &value, int minimum, int maximum)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number != double(qint64(number)) || number < minimum || number > maximum)
        return std::nullopt;
    return int(number);
}

constexpr int largestPage = 100000000;

} // namespace

QJsonObject pageeditmessage(const PageEdit &edit)
{
    QJsonArray changes;
    for (qsizetype i = 0; i < edit.changes.size(); ++i)
        changes.append(
            QJsonObject{{QStringLiteral("at"), edit.changes.at(i).at},
                        {QStringLiteral("removed"), edit.changes.at(i).removed},
                        {QStringLiteral("lines"), QJsonArray::fromStringList(edit.lines.value(i))}});
    return QJsonObject{{QStringLiteral("type"), QStringLiteral("edit")},
                       {QStringLiteral("serial"), edit.serial},
                       {QStringLiteral("anchor"), edit.anchor},
                       {QStringLiteral("lines"), edit.linesBefore},
                       {QStringLiteral("changes"), changes}};
}

std::optional<PageEdit> pageeditfrommessage(const QJsonObject &message)
{
    const std::optional<int> serial = wholenumber(message.value(QLatin1String("serial")), 1, INT_MAX);
    const std::optional<int> anchor = wholenumber(message.value(QLatin1String("anchor")), -1, largestPage);
    const std::optional<int> lines = wholenumber(message.value(QLatin1String("lines")), 0, largestPage);
    const QJsonValue changes = message.value(QLatin1String("changes"));
    if (!serial || !anchor || !lines || !changes.isArray())
        return std::nullopt;
    PageEdit edit;
    edit.serial = *serial;
    edit.anchor = *anchor;
    edit.linesBefore = *lines;
    int from = 0;  // where the next change may start
    int moved = 0; // how far the changes so far moved the lines after them
    for (const QJsonValue &value : changes.toArray()) {
        const QJsonObject change = value.toObject();
        const std::optional<int> at = wholenumber(change.value(QLatin1String("at")), from, *lines);
        const std::optional<int> removed = wholenumber(change.value(QLatin1String("removed")), 0, *lines);
        const QJsonValue newLines = change.value(QLatin1String("lines"));
        if (!at || !removed || *at + *removed > *lines || !newLines.isArray())
            return std::nullopt;
        QStringList texts;
        for (const QJsonValue &line : newLines.toArray()) {
            if (!line.isString())
                return std::nullopt;
            texts << line.toString();
        }
        edit.changes.append(LineChange{*at, *removed, *at + moved, int(texts.size())});
        edit.lines.append(texts);
        moved += int(texts.size()) - *removed;
        from = *at + *removed;
    }
    return edit;
}

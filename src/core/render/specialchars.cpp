#include "core/render/specialchars.h"

#include <bitset>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "core/platform/textfile.h"
#include "core/render/miniawk.h"

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

// Replaces every occurrence of `source`, left to right, without rescanning replaced text. Unlike
// QString::replace, which moves the tail of the text once per batch of matches, this builds the
// result in one pass.
void replaceAll(QString &text, const QString &source, const QString &target)
{
    qsizetype match = text.indexOf(source);
    if (match < 0)
        return;
    QString result;
    result.reserve(text.size() + (target.size() > source.size() ? text.size() / 8 : 0));
    qsizetype from = 0;
    while (match >= 0) {
        result += QStringView(text).mid(from, match - from);
        result += target;
        from = match + source.size();
        match = text.indexOf(source, from);
    }
    result += QStringView(text).mid(from);
    text = std::move(result);
}

// The UTF-16 code units a text may hold: a table entry whose source starts with a unit the text
// cannot hold is skipped without scanning the whole script for it.
class CodeUnitSet {
public:
    void add(QStringView text)
    {
        for (const QChar c : text)
            m_units.set(c.unicode());
    }
    bool mayContain(QChar c) const { return m_units.test(c.unicode()); }

private:
    std::bitset<65536> m_units;
};

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
    CodeUnitSet present;
    const int count = static_cast<int>(specialtable.size());
    for (int i = 0; i < count; ++i) {
        if (progress)
            progress(i, count);
        parser.Parse(specialtable.at(i));
        const QString source = parser.GetField(toPage ? 3 : 2);
        const QString target = parser.GetField(toPage ? 2 : 3);
        if (i == 0)
            text = joinWithLineEnds(lines);
        if (!source.isEmpty() && (i == 0 || present.mayContain(source.at(0)))) {
            replaceAll(text, source, target);
            present.add(target);
        }
        if (i == 0) {
            text = joinWithLineEnds(splitlines(text));
            present.add(text);
        }
    }
    if (count > 0)
        lines = splitlines(text);
    return lines;
}

void convertchars(const QString &direction, QTextDocument *document, const QStringList &specialtable)
{
    const bool toPage = direction == QLatin1String("page");
    TAwkParser parser;
    parser.Separator = QStringLiteral("\t");
    QTextCursor edit(document);
    edit.beginEditBlock();
    for (const QString &entry : specialtable) {
        parser.Parse(entry);
        const QString source = parser.GetField(toPage ? 3 : 2);
        const QString target = parser.GetField(toPage ? 2 : 3);
        if (source.isEmpty())
            continue;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            const QString text = block.text();
            QList<qsizetype> matches;
            for (qsizetype at = text.indexOf(source); at >= 0; at = text.indexOf(source, at + source.size()))
                matches.append(at);
            // From the right, so that the places of the matches before stay where they were.
            for (auto match = matches.crbegin(); match != matches.crend(); ++match) {
                QTextCursor replaced(document);
                replaced.setPosition(block.position() + int(*match) + 1);
                const QTextCharFormat format = replaced.charFormat();
                replaced.setPosition(block.position() + int(*match));
                replaced.setPosition(block.position() + int(*match + source.size()), QTextCursor::KeepAnchor);
                replaced.insertText(target, format);
            }
        }
    }
    edit.endEditBlock();
}

QStringList specialpageforms(const QStringList &specialtable)
{
    TAwkParser parser;
    parser.Separator = QStringLiteral("\t");
    QStringList forms;
    for (const QString &entry : specialtable) {
        parser.Parse(entry);
        const QString form = parser.GetField(2);
        if (!form.isEmpty())
            forms << form;
    }
    return forms;
}

QStringList loadspecialtable(const QString &path)
{
    return readtextlines(path);
}

#include "core/render/scriptloader.h"

#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "core/engine/scriptmarkers.h"
#include "core/import/documentimport.h"
#include "core/import/listlabel.h"

ScriptKind scriptkind(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toUpper();
    if (suffix == QLatin1String("RTF"))
        return ScriptKind::RichText;
    if (suffix == QLatin1String("VNR"))
        return ScriptKind::Vantell;
    if (suffix == QLatin1String("TXT"))
        return ScriptKind::Text;
    if (isimportable(path))
        return ScriptKind::Document;
    return ScriptKind::Unrecognized;
}

void choploader(QStringList &scriptlines)
{
    const QString lineBreak = QStringLiteral("<BR>");
    for (QString &entry : scriptlines) {
        if (entry == lineBreak)
            entry = QStringLiteral("\r\n");
        else if (entry.startsWith(lineBreak))
            entry.remove(0, lineBreak.size());
    }
}

QStringList plainlines(const QTextEdit *control)
{
    return plainlines(control->document());
}

QStringList plainlines(const QTextDocument *document)
{
    QStringList lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        // A list item's mark is part of what its reader reads: "1. First", "• Point".
        const QString mark = listlabel(block);
        lines << (mark.isEmpty() ? block.text() : mark + u' ' + block.text()).split(QChar::LineSeparator);
    }
    // A document always ends in a paragraph; an empty last one (after a final paragraph end) is
    // no line of its own.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

void markheadings(const QTextDocument *document, QStringList &lines)
{
    qsizetype line = 0;
    for (QTextBlock block = document->begin(); block.isValid() && line < lines.size(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0)
            lines[line] = headingmark() + lines.at(line);
        line += block.text().count(QChar::LineSeparator) + 1;
    }
}

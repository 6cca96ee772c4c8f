#include "core/import/markupreader.h"

#include <QHash>
#include <QTextBlock>
#include <QTextList>

#include "core/import/sealeddocument.h"
#include "core/platform/textfile.h"

namespace {

constexpr qreal bodyPoints = 12;

// The size of text that has none of its own, from the relative size Qt's readers give headings
// and <big> or <small> text (from -2 to 3 steps off the body size).
qreal adjustedpoints(const QTextCharFormat &format)
{
    static const qreal scales[] = {0.7, 0.85, 1.0, 1.2, 1.5, 2.0};
    const int step = qBound(-2, format.intProperty(QTextFormat::FontSizeAdjustment), 3);
    return bodyPoints * scales[step + 2];
}

QTextCharFormat runformat(QTextCharFormat format)
{
    if (!format.hasProperty(QTextFormat::FontPointSize) && !format.hasProperty(QTextFormat::FontPixelSize))
        format.setFontPointSize(adjustedpoints(format));
    format.clearProperty(QTextFormat::FontSizeAdjustment);
    // A link's address means nothing on the page; its text is kept as shown.
    format.setAnchor(false);
    format.clearProperty(QTextFormat::AnchorHref);
    return format;
}

ImportedText fromdocument(const QTextDocument &document)
{
    ImportedText text;
    QHash<const QTextList *, int> lists;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        ImportedParagraph paragraph;
        paragraph.format.setAlignment(block.blockFormat().alignment());
        if (block.blockFormat().headingLevel() > 0)
            paragraph.format.setHeadingLevel(block.blockFormat().headingLevel());
        if (const QTextList *list = block.textList()) {
            const int level = qMax(0, list->format().indent() - 1);
            if (!lists.contains(list)) {
                lists.insert(list, int(text.lists.size()));
                QList<ImportedListLevel> levels(level + 1);
                levels[level].style = list->format().style();
                text.lists.append({levels, -1});
            }
            paragraph.list = lists.value(list);
            paragraph.level = level;
        }
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment part = fragment.fragment();
            if (part.charFormat().isImageFormat())
                continue;
            QString runText = part.text();
            runText.remove(QChar::ObjectReplacementCharacter);
            if (!runText.isEmpty())
                paragraph.runs.append({runText, runformat(part.charFormat())});
        }
        text.paragraphs.append(paragraph);
    }
    return text;
}

} // namespace

ImportedText readmarkdown(const QString &path)
{
    SealedDocument document;
    document.setMarkdown(decodetext(readwholefile(path)));
    return fromdocument(document);
}

ImportedText readhtml(const QString &path)
{
    SealedDocument document;
    document.setHtml(decodetext(readwholefile(path)));
    return fromdocument(document);
}

#include "core/rtf/rtfdocumentbuilder.h"

#include <utility>

#include <QTextDocument>
#include <QTextList>

namespace {

constexpr char16_t ReplacementCharacter = u'\uFFFD';

} // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument *document)
    : m_document(document), m_undoWasEnabled(document->isUndoRedoEnabled())
{
    m_document->setUndoRedoEnabled(false);
    m_document->clear();
    m_cursor = QTextCursor(m_document);
    m_cursor.beginEditBlock();
}

void RtfDocumentBuilder::setCharFormat(const QTextCharFormat &format)
{
    resolveDanglingSurrogate();
    flushText();
    m_format = format;
}

void RtfDocumentBuilder::appendText(QStringView text)
{
    for (const QChar c : text)
        appendCharacter(c.unicode());
}

void RtfDocumentBuilder::appendCharacter(char16_t c)
{
    if (m_highSurrogate) {
        const char16_t high = std::exchange(m_highSurrogate, 0);
        if (QChar::isLowSurrogate(c)) {
            keep(high);
            keep(c);
            return;
        }
        keep(ReplacementCharacter);
    }
    if (QChar::isHighSurrogate(c))
        m_highSurrogate = c;
    else if (QChar::isLowSurrogate(c))
        keep(ReplacementCharacter);
    else if (holdsAsText(c))
        keep(c);
}

bool RtfDocumentBuilder::holdsAsText(char16_t c)
{
    return (c >= 0x20 || c == u'\t') && c != QChar::ParagraphSeparator && c != 0xFDD0 && c != 0xFDD1;
}

void RtfDocumentBuilder::keep(char16_t c)
{
    startParagraphIfNeeded();
    appendCellSeparators();
    m_text.append(QChar(c));
}

void RtfDocumentBuilder::appendCellSeparators()
{
    if (m_pendingCellSeparators > 0) {
        m_text.append(QString(m_pendingCellSeparators, u'\t'));
        m_pendingCellSeparators = 0;
    }
}

void RtfDocumentBuilder::resolveDanglingSurrogate()
{
    if (m_highSurrogate) {
        m_highSurrogate = 0;
        keep(ReplacementCharacter);
    }
}

void RtfDocumentBuilder::startParagraphIfNeeded()
{
    if (m_paragraphOpen)
        return;
    if (m_firstBlockUsed) {
        m_cursor.insertBlock(QTextBlockFormat(), m_format);
    } else {
        m_cursor.setBlockCharFormat(m_format);
        m_firstBlockUsed = true;
    }
    m_paragraphOpen = true;
}

void RtfDocumentBuilder::flushText()
{
    if (m_text.isEmpty())
        return;
    m_cursor.insertText(m_text, m_format);
    m_text.resize(0);
}

void RtfDocumentBuilder::endCell()
{
    ++m_pendingCellSeparators;
}

void RtfDocumentBuilder::endParagraph(Qt::Alignment alignment, QTextListFormat::Style listStyle,
                                      int headingLevel)
{
    resolveDanglingSurrogate();
    startParagraphIfNeeded();
    appendCellSeparators();
    flushText();
    applyParagraphFormat(alignment, listStyle, headingLevel);
    m_paragraphOpen = false;
}

void RtfDocumentBuilder::endRow(Qt::Alignment alignment, QTextListFormat::Style listStyle, int headingLevel)
{
    m_pendingCellSeparators = 0;
    endParagraph(alignment, listStyle, headingLevel);
}

void RtfDocumentBuilder::finish(Qt::Alignment alignment, QTextListFormat::Style listStyle, int headingLevel)
{
    resolveDanglingSurrogate();
    if (m_paragraphOpen) {
        m_pendingCellSeparators = 0;
        flushText();
        applyParagraphFormat(alignment, listStyle, headingLevel);
    }
    m_cursor.endEditBlock();
    m_document->setUndoRedoEnabled(m_undoWasEnabled);
}

void RtfDocumentBuilder::applyParagraphFormat(Qt::Alignment alignment, QTextListFormat::Style listStyle,
                                              int headingLevel)
{
    QTextBlockFormat blockFormat;
    blockFormat.setAlignment(alignment);
    if (headingLevel > 0)
        blockFormat.setHeadingLevel(headingLevel);
    m_cursor.setBlockFormat(blockFormat);
    if (listStyle == QTextListFormat::ListStyleUndefined) {
        m_list = nullptr;
        return;
    }
    if (m_list && m_list->format().style() == listStyle) {
        m_list->add(m_cursor.block());
        return;
    }
    QTextListFormat listFormat;
    listFormat.setStyle(listStyle);
    listFormat.setIndent(1);
    m_list = m_cursor.createList(listFormat);
}

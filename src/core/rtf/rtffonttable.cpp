#include "core/rtf/rtffonttable.h"

#include "core/rtf/rtfcodepagedecoder.h"
#include "core/rtf/rtfdocumentbuilder.h"

void RtfFontTable::beginEntry(int number)
{
    endEntry();
    m_entry = Font();
    m_entryNumber = number;
    m_entryOpen = true;
}

void RtfFontTable::setCharset(int charset)
{
    // An explicit \cpg wins over the charset, whichever comes first.
    if (m_entryOpen && m_entry.codePage == 0)
        m_entry.codePage = RtfCodePageDecoder::codePageOfCharset(charset);
}

void RtfFontTable::setCodePage(int codePage)
{
    if (m_entryOpen && codePage > 0)
        m_entry.codePage = codePage;
}

void RtfFontTable::appendToName(QStringView text)
{
    if (m_entryOpen)
        m_entry.family.append(text);
}

void RtfFontTable::endEntry()
{
    if (!m_entryOpen)
        return;
    m_entryOpen = false;
    m_entry.family = entryName(m_entry.family);
    m_fonts.insert(m_entryNumber, m_entry);
}

int RtfFontTable::codePageOfOpenEntry() const
{
    return m_entryOpen ? m_entry.codePage : 0;
}

QString RtfFontTable::family(int number) const
{
    return m_fonts.value(number).family;
}

int RtfFontTable::codePage(int number) const
{
    return m_fonts.value(number).codePage;
}

QString RtfFontTable::entryName(const QString &family)
{
    QString name = family;
    name.removeIf([](QChar c) {
        return c == u';' || c == u'\t' || c == QChar::LineSeparator ||
               !RtfDocumentBuilder::holdsAsText(c.unicode());
    });
    return name.trimmed();
}

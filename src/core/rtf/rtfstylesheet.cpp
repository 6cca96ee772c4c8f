#include "core/rtf/rtfstylesheet.h"

#include <QRegularExpression>

void RtfStyleSheet::setStyleNumber(int number)
{
    m_number = number;
}

void RtfStyleSheet::setOutlineLevel(int level)
{
    m_outlineLevel = level;
}

void RtfStyleSheet::appendToName(QStringView text)
{
    // A style sheet of thousands of entries with long names holds no heading worth its memory.
    if (m_name.size() < 256)
        m_name += text;
}

void RtfStyleSheet::endEntry()
{
    static const QRegularExpression builtin(QStringLiteral("^heading ([1-9])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    int level = 0;
    if (m_outlineLevel >= 0 && m_outlineLevel <= MaxOutlineLevel) {
        level = m_outlineLevel + 1;
    } else if (m_outlineLevel < 0) {
        const QRegularExpressionMatch match = builtin.match(m_name.trimmed());
        if (match.hasMatch())
            level = match.captured(1).toInt();
    }
    if (level > 0)
        m_headingLevels.insert(m_number, level);
    else
        m_headingLevels.remove(m_number);
    m_number = 0;
    m_outlineLevel = -1;
    m_name.clear();
}

int RtfStyleSheet::headingLevel(int number) const
{
    return m_headingLevels.value(number, 0);
}

#include "core/rtf/rtflisttable.h"

void RtfListTable::beginList()
{
    endList();
    m_levels.clear();
    m_listId = 0;
    m_listOpen = true;
}

void RtfListTable::setListId(int id)
{
    m_listId = id;
}

void RtfListTable::beginLevel()
{
    endLevel();
    m_levelStyle = QTextListFormat::ListDecimal; // \levelnfc0, the default
    m_levelOpen = true;
}

void RtfListTable::setLevelNumberFormat(int format)
{
    switch (format) {
    case 1:
        m_levelStyle = QTextListFormat::ListUpperRoman;
        break;
    case 2:
        m_levelStyle = QTextListFormat::ListLowerRoman;
        break;
    case 3:
        m_levelStyle = QTextListFormat::ListUpperAlpha;
        break;
    case 4:
        m_levelStyle = QTextListFormat::ListLowerAlpha;
        break;
    case 23:
        m_levelStyle = QTextListFormat::ListDisc;
        break;
    case 255:
        m_levelStyle = QTextListFormat::ListStyleUndefined;
        break;
    default: // decimal and its many spelled-out and East Asian variants
        m_levelStyle = QTextListFormat::ListDecimal;
        break;
    }
}

void RtfListTable::endLevel()
{
    if (!m_levelOpen)
        return;
    m_levelOpen = false;
    if (m_listOpen && m_levels.size() < MaxLevels)
        m_levels.append(m_levelStyle);
}

void RtfListTable::endList()
{
    endLevel();
    if (!m_listOpen)
        return;
    m_listOpen = false;
    m_levelsByListId.insert(m_listId, m_levels);
}

void RtfListTable::beginOverride()
{
    endOverride();
    m_overrideListId = 0;
    m_overrideNumber = 0;
    m_overrideOpen = true;
}

void RtfListTable::setOverrideListId(int id)
{
    m_overrideListId = id;
}

void RtfListTable::setOverrideNumber(int number)
{
    m_overrideNumber = number;
}

void RtfListTable::endOverride()
{
    if (!m_overrideOpen)
        return;
    m_overrideOpen = false;
    m_listIdByOverride.insert(m_overrideNumber, m_overrideListId);
}

QTextListFormat::Style RtfListTable::style(int number, int level) const
{
    const auto listId = m_listIdByOverride.constFind(number);
    if (listId == m_listIdByOverride.cend())
        return QTextListFormat::ListDisc;
    const auto levels = m_levelsByListId.constFind(*listId);
    if (levels == m_levelsByListId.cend() || level < 0 || level >= levels->size())
        return QTextListFormat::ListDisc;
    return levels->at(level);
}

#pragma once

#include <QHash>
#include <QList>
#include <QTextListFormat>

// The lists of an RTF document's \listtable and \listoverridetable: what kind of list item a
// paragraph marked \lsN \ilvlL is. Only the numbering kind of each level is kept.
class RtfListTable {
public:
    void beginList();
    void setListId(int id);
    void beginLevel();
    // \levelnfcN: 23 is a bullet, 255 no number, 0 to 4 decimal, roman and letter numbering.
    void setLevelNumberFormat(int format);
    void endLevel();
    void endList();

    void beginOverride();
    void setOverrideListId(int id);
    void setOverrideNumber(int number);
    void endOverride();

    // The kind of item of a paragraph in list override `number` at `level`: a bullet when the
    // tables do not say, ListStyleUndefined for a level that shows neither number nor bullet.
    QTextListFormat::Style style(int number, int level) const;

    static constexpr int MaxLevels = 9;

private:
    QHash<int, QList<QTextListFormat::Style>> m_levelsByListId;
    QHash<int, int> m_listIdByOverride;

    QList<QTextListFormat::Style> m_levels;
    int m_listId = 0;
    bool m_listOpen = false;
    QTextListFormat::Style m_levelStyle = QTextListFormat::ListDecimal;
    bool m_levelOpen = false;
    int m_overrideListId = 0;
    int m_overrideNumber = 0;
    bool m_overrideOpen = false;
};

#pragma once

#include <QHash>
#include <QString>

// The fonts of an RTF document's \fonttbl, by number: each one's face name and the code page its
// \fcharset or \cpg names for 8-bit text.
class RtfFontTable {
public:
    // \fN inside the table starts an entry (and ends any entry still open).
    void beginEntry(int number);
    void setCharset(int charset);
    void setCodePage(int codePage);
    void appendToName(QStringView text);
    // A semicolon or the end of the entry's group; does nothing when no entry is open.
    void endEntry();

    // The code page for the name of the entry being read: 0 when it names none.
    int codePageOfOpenEntry() const;
    // Face name of font `number`; empty for a font the table does not have.
    QString family(int number) const;
    // Code page of font `number`; 0 when the font names none or is not in the table.
    int codePage(int number) const;

    // A face name as a table entry can hold it: without the semicolon that ends entries, without
    // control characters, line and paragraph separators, and without blanks at either end.
    static QString entryName(const QString &family);

private:
    struct Font {
        QString family;
        int codePage = 0;
    };

    QHash<int, Font> m_fonts;
    Font m_entry;
    int m_entryNumber = 0;
    bool m_entryOpen = false;
};

#pragma once

#include <QHash>
#include <QString>

// The paragraph styles of an RTF style sheet, as far as the reader uses them: which are headings.
// A style is a heading when it states an outline level, or when its name is a word processor's
// built-in heading name ("heading 1" to "heading 9", written in English whatever the language).
class RtfStyleSheet {
public:
    // The entry being read: its number (\sN), outline level (\outlinelevelN) and name text.
    void setStyleNumber(int number);
    void setOutlineLevel(int level);
    void appendToName(QStringView text);
    // A semicolon ends an entry.
    void endEntry();

    // The heading level of paragraph style `number`: 1 for a top heading, 0 for no heading.
    int headingLevel(int number) const;

    static constexpr int MaxOutlineLevel = 8; // \outlinelevel9 is body text

private:
    int m_number = 0;
    int m_outlineLevel = -1;
    QString m_name;
    QHash<int, int> m_headingLevels;
};

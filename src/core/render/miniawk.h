#pragma once

#include <array>

#include <QString>

// A small field splitter in the manner of awk. Separator: empty means runs of blanks; "^X"
// names a control character (so "^I" is the tab); otherwise its first character. At most 255
// fields are kept; further fields of a longer line are dropped.
class TAwkParser {
public:
    QString Separator;
    quint8 FieldCount = 0;

    void Parse(const QString &line);
    // n = 0: the whole line; 1..FieldCount: that field; otherwise an empty string.
    QString GetField(int n) const;

    static constexpr int MaxFields = 255;

private:
    QString m_line;
    // 1-based start (0 when unset) and length of each field; one spare entry for the field
    // that would follow the last one kept.
    std::array<int, MaxFields + 1> m_starts{};
    std::array<int, MaxFields + 1> m_lengths{};
};

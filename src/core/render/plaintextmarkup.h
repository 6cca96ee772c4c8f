#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// A plain script's line as the page's markup: shown exactly as written, angle brackets and
// ampersands included ("Press <Enter>", "a < b", "AT&T"), but for the few formatting tags a
// plain script may mean and the page keeps: <b>, <i>, <u>, <s>, <em>, <strong>, <sup>, <sub>,
// <br> and <font> (with color, size and face), opening or closing, in any case. Character
// references (&amp;, &eacute;, &#8364;) stay references.
class PlainTextMarkup {
public:
    // `keptForms` are texts taken as they stand wherever they occur: what the special-character
    // table writes for the page, which may be markup on purpose.
    explicit PlainTextMarkup(const QStringList &keptForms = {});

    QString markup(const QString &line) const;

private:
    // The length of the kept form or formatting tag that starts at `at`, or 0.
    qsizetype keptAt(const QString &line, qsizetype at) const;

    QHash<QChar, QStringList> m_keptForms; // by their first character, the longest first
};

#include "core/render/plaintextmarkup.h"

#include <algorithm>

namespace {

// A plain script's formatting: what its writer can have meant by writing a tag. Anything else
// written like a tag is text ("<Enter>", "<PAUSE>", "<<").
const QLatin1String formattingTags[] = {QLatin1String("b"),   QLatin1String("i"),   QLatin1String("u"),
                                        QLatin1String("s"),   QLatin1String("em"),  QLatin1String("strong"),
                                        QLatin1String("sup"), QLatin1String("sub"), QLatin1String("br"),
                                        QLatin1String("font")};
const QLatin1String fontAttributes[] = {QLatin1String("color"), QLatin1String("size"), QLatin1String("face")};

bool isletter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isdigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isspace(QChar c)
{
    return c == u' ' || c == u'\t';
}

template <std::size_t N> bool isoneof(QStringView name, const QLatin1String (&names)[N])
{
    return std::any_of(std::begin(names), std::end(names),
                       [name](QLatin1String known) { return name.compare(known, Qt::CaseInsensitive) == 0; });
}

// The length of the tag of the formatting list that starts at `at` ("<b>", "</I>",
// "<font color="red">", "<br/>"), or 0.
qsizetype formattingtag(QStringView line, qsizetype at)
{
    qsizetype end = at + 1;
    const bool closing = end < line.size() && line.at(end) == u'/';
    if (closing)
        ++end;
    const qsizetype nameStart = end;
    while (end < line.size() && isletter(line.at(end)))
        ++end;
    const QStringView name = line.mid(nameStart, end - nameStart);
    if (!isoneof(name, formattingTags))
        return 0;
    const bool font = name.compare(QLatin1String("font"), Qt::CaseInsensitive) == 0;
    while (end < line.size()) {
        const QChar c = line.at(end);
        if (c == u'>')
            return end + 1 - at;
        if (c == u'/' && !closing && end + 1 < line.size() && line.at(end + 1) == u'>')
            return end + 2 - at;
        if (!isspace(c))
            return 0;
        while (end < line.size() && isspace(line.at(end)))
            ++end;
        if (end >= line.size() || line.at(end) == u'>' || line.at(end) == u'/')
            continue;
        // An attribute: only a font has any, and only its colour, size and face.
        const qsizetype attributeStart = end;
        while (end < line.size() && isletter(line.at(end)))
            ++end;
        if (!font || closing || !isoneof(line.mid(attributeStart, end - attributeStart), fontAttributes))
            return 0;
        while (end < line.size() && isspace(line.at(end)))
            ++end;
        if (end >= line.size() || line.at(end) != u'=')
            return 0;
        ++end;
        while (end < line.size() && isspace(line.at(end)))
            ++end;
        if (end >= line.size())
            return 0;
        const QChar quote = line.at(end);
        if (quote == u'"' || quote == u'\'') {
            const qsizetype close = line.indexOf(quote, end + 1);
            if (close < 0 || line.mid(end + 1, close - end - 1).contains(u'<'))
                return 0;
            end = close + 1;
        } else {
            const qsizetype valueStart = end;
            while (end < line.size() && !isspace(line.at(end)) && line.at(end) != u'>' &&
                   QStringView(u"\"'<=`").indexOf(line.at(end)) < 0)
                ++end;
            if (end == valueStart)
                return 0;
        }
    }
    return 0;
}

// The length of the character reference that starts at `at` ("&amp;", "&#233;", "&#x20AC;"), or 0.
qsizetype reference(QStringView line, qsizetype at)
{
    qsizetype end = at + 1;
    if (end < line.size() && line.at(end) == u'#') {
        ++end;
        const bool hex = end < line.size() && (line.at(end) == u'x' || line.at(end) == u'X');
        if (hex)
            ++end;
        const qsizetype digitsStart = end;
        while (end < line.size() && end - digitsStart < 8 &&
               (isdigit(line.at(end)) || (hex && QStringView(u"abcdefABCDEF").indexOf(line.at(end)) >= 0)))
            ++end;
        if (end == digitsStart)
            return 0;
    } else {
        const qsizetype nameStart = end;
        while (end < line.size() && end - nameStart < 32 &&
               (isletter(line.at(end)) || (end > nameStart && isdigit(line.at(end)))))
            ++end;
        if (end == nameStart)
            return 0;
    }
    return end < line.size() && line.at(end) == u';' ? end + 1 - at : 0;
}

bool isspecial(QChar c)
{
    return c == u'<' || c == u'>' || c == u'&';
}

} // namespace

PlainTextMarkup::PlainTextMarkup(const QStringList &keptForms)
{
    // Only a form that holds a character the page would otherwise escape needs keeping.
    for (const QString &form : keptForms) {
        if (std::any_of(form.begin(), form.end(), isspecial))
            m_keptForms[form.front()].append(form);
    }
    for (QStringList &forms : m_keptForms) {
        std::sort(forms.begin(), forms.end(),
                  [](const QString &a, const QString &b) { return a.size() > b.size(); });
        forms.removeDuplicates();
    }
}

qsizetype PlainTextMarkup::keptAt(const QString &line, qsizetype at) const
{
    const auto forms = m_keptForms.constFind(line.at(at));
    if (forms != m_keptForms.constEnd()) {
        for (const QString &form : *forms) {
            if (QStringView(line).mid(at).startsWith(form))
                return form.size();
        }
    }
    if (line.at(at) == u'<')
        return formattingtag(line, at);
    if (line.at(at) == u'&')
        return reference(line, at);
    return 0;
}

QString PlainTextMarkup::markup(const QString &line) const
{
    QString page;
    page.reserve(line.size() + 16);
    for (qsizetype at = 0; at < line.size();) {
        const qsizetype kept =
            isspecial(line.at(at)) || m_keptForms.contains(line.at(at)) ? keptAt(line, at) : 0;
        if (kept > 0) {
            page += QStringView(line).mid(at, kept);
            at += kept;
            continue;
        }
        const QChar c = line.at(at++);
        if (c == u'<')
            page += QLatin1String("&lt;");
        else if (c == u'>')
            page += QLatin1String("&gt;");
        else if (c == u'&')
            page += QLatin1String("&amp;");
        else
            page += c;
    }
    return page;
}

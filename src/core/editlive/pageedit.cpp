#include "core/editlive/pageedit.h"

int bodystart(const QStringList &page)
{
    for (qsizetype i = 0; i < page.size(); ++i)
        if (page.at(i).startsWith(QLatin1String("<body"), Qt::CaseInsensitive))
            return int(i + 1);
    return -1;
}

PageEdit pageedit(const QStringList &before, const QStringList &after)
{
    PageEdit edit;
    const int from = bodystart(before);
    const int to = bodystart(after);
    if (from < 0 || to < 0)
        return edit;
    const QStringList was = before.mid(from);
    const QStringList is = after.mid(to);
    edit.linesBefore = int(was.size());
    edit.changes = linechanges(was, is);
    for (const LineChange &change : std::as_const(edit.changes))
        edit.lines.append(is.mid(change.first, change.count));
    return edit;
}

bool applypageedit(QStringList &page, const PageEdit &edit)
{
    const int body = bodystart(page);
    if (body < 0 || page.size() - body != edit.linesBefore || edit.lines.size() != edit.changes.size())
        return false;
    QStringList changed = page.mid(0, body);
    qsizetype from = 0;
    for (qsizetype i = 0; i < edit.changes.size(); ++i) {
        const LineChange &change = edit.changes.at(i);
        if (change.at < from || change.removed < 0 || change.at + change.removed > edit.linesBefore)
            return false;
        changed.append(page.mid(body + from, change.at - from));
        changed.append(edit.lines.at(i));
        from = change.at + change.removed;
    }
    changed.append(page.mid(body + from));
    page = changed;
    return true;
}

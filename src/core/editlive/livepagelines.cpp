#include "core/editlive/livepagelines.h"

#include "core/render/specialchars.h"

QStringList shownlines(QStringList editorLines, const QStringList &specialtable)
{
    return convertchars(QStringLiteral("page"), editorLines, specialtable);
}

QStringList pagelinesof(const QStringList &shownLines, const PageLook &look)
{
    // The markers are put on a page of these lines alone: their places count from its body.
    QStringList page{bodytag(false, false)};
    page << pagebody(shownLines, look.specialtable, look.allcaps, look.text);
    markpage(page, findmarkers(scriptmarkup(shownLines, look.specialtable, look.text)), look.markers,
             look.allcaps);
    page.removeFirst();
    return page;
}

#pragma once

#include <functional>

#include <QString>
#include <QStringList>

// The display font as the page's style block names it.
struct PageFont {
    QString name;
    int size = 24;
};

// The page's fixed head (document type, head, the opening of the style block) and the lines
// that close the style block after the font lines.
QStringList pageheader();
QStringList pagefooter();

// The page shown before any script: head, font size, font family, footer, end of document.
QStringList emptypage(const PageFont &font);

// The body tag, with the legacy mirror and rotation filters in its style attribute.
QString bodytag(bool mirror, bool rotate);

// `page` with its body tag (the first line that opens the body) replaced by the tag for `mirror` and
// `rotate`: the same page for a display whose modes differ. A page without a body is returned as it is.
QStringList withbodytag(const QStringList &page, bool mirror, bool rotate);

// What a script's lines are: markup (a rich script's HTML, a newsroom story's), or plain text as
// written (a text or RTF file's lines, a script sent as text by a remote control).
enum class ScriptText { Markup, Plain };

// The script's lines as the page's markup: markup as it is; plain text escaped, but for the
// formatting tags a plain script may use and what the special-character table wrote for the
// page (see PlainTextMarkup). Lines converted with the table already are converted alike.
QStringList scriptmarkup(const QStringList &scriptlines, const QStringList &specialtable, ScriptText text);

// The page's lines of script lines converted for the page already: each as markup (see
// scriptmarkup), in capitals when `allcaps`, ended by a line break.
QStringList pagebody(const QStringList &scriptlines, const QStringList &specialtable, bool allcaps,
                     ScriptText text);

// Builds the display page from `scriptlines`, which it first converts in place in the page
// direction with the special-character table. Returns the page, one line per entry.
QStringList buildpage(QStringList &scriptlines, const QStringList &specialtable, const PageFont &font,
                      bool allcaps, bool mirror, bool rotate, ScriptText text = ScriptText::Markup,
                      const std::function<void(int index, int count)> &progress = {});

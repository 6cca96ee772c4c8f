#pragma once

#include <memory>
#include <vector>

#include <QFont>
#include <QStringList>

#include "core/render/richtohtml.h"

class QTextBlock;
class QTextDocument;
class QTextEdit;

// The script shown, as it is edited while it is read: a document of paragraphs that an editor
// window or a remote control changes, and the script lines it makes for the page, one to each line
// of the page, found anew after each change. The lines are made as the script's kind makes them
// when it is loaded, so that a page built anew from them looks as the edited page does:
// - plain text as written: a line to each line of a paragraph;
// - a rich script (a Vantell script, an imported document): the converter's HTML lines;
// - markup lines (a newsroom's story): a paragraph to each line, an unchanged one keeping its
//   markup as it came, a changed one written anew in the format of its characters.
// The text is in the editor's forms of the special characters.
class LiveScript {
public:
    enum class Kind { Plain, Rich, Markup };

    // `font`: the display font, the text's own where it has none.
    static std::unique_ptr<LiveScript> plain(const QStringList &lines, const QFont &font);
    // A copy of `rich` (the prompter's rich script).
    static std::unique_ptr<LiveScript> rich(const QTextDocument *rich, const QFont &font);
    static std::unique_ptr<LiveScript> markup(const QStringList &lines, const QFont &font);
    ~LiveScript();

    Kind kind() const { return m_kind; }
    QTextDocument *document() const { return m_document; }

    // The script lines of the document as it is now.
    QStringList lines();
    // The paragraph that holds script line `line`, and the first script line of `paragraph`, as
    // the lines last made have them.
    int paragraphOfLine(int line) const;
    int lineOfParagraph(int paragraph) const;

    // The plain text of each paragraph (a line break inside one as "\n").
    QStringList paragraphs() const;
    // Puts `text` in place of the text of paragraph `index` (which must exist), in the format of
    // its first character.
    void replaceParagraph(int index, const QString &text);

private:
    LiveScript(Kind kind, const QFont &font);
    QString markupOf(const QTextBlock &block) const;

    Kind m_kind;
    QTextDocument *m_document;
    // Shows the text as the page does for the converter: white on black, in the display font.
    std::unique_ptr<QTextEdit> m_look;
    TJvRichEditToHtml m_converter;
    std::vector<int> m_firstLines; // the first script line of each paragraph, as last made
    // Markup lines as they came, and the markup their paragraphs were read into.
    QStringList m_cameAs;
    QStringList m_readAs;
};

#include "core/editlive/livescript.h"

#include <algorithm>

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "core/render/scriptloader.h"

namespace {

// The lines the converter writes before the first paragraph's text: the paragraph's and the
// run's opening tags.
constexpr int richHeadLines = 2;

bool isLineSeparator(QChar c)
{
    return c == u'\r' || c == u'\n' || c == u'\v' || c == QChar::LineSeparator;
}

// The lines of a paragraph as the converter counts them: one to each stretch between separators,
// but for an empty stretch at the very end of the text.
int richLines(const QTextBlock &block)
{
    const QString text = block.text();
    int lines = int(std::count_if(text.cbegin(), text.cend(), isLineSeparator)) + 1;
    const bool last = !block.next().isValid();
    if (last && (text.isEmpty() || isLineSeparator(text.back())))
        --lines;
    return lines;
}

// What a markup line holds before its text: the empty marks a newsroom's lines start with
// (<span data-p="7"></span>), by which the page knows the paragraph again.
QString leadingMarks(const QString &line)
{
    static const QRegularExpression marks(QStringLiteral("^(?:<span[^<>]*></span>)*"));
    return marks.match(line).captured(0);
}

} // namespace

LiveScript::LiveScript(Kind kind, const QFont &font)
    : m_kind(kind), m_document(nullptr), m_look(new QTextEdit)
{
    m_look->setFont(font);
    QPalette page = m_look->palette();
    page.setColor(QPalette::Base, Qt::black);
    page.setColor(QPalette::Text, Qt::white);
    m_look->setPalette(page);
    // The converter writes the lines of a rich script without a page around them.
    m_converter.Header.clear();
    m_converter.Footer.clear();
}

LiveScript::~LiveScript()
{
    delete m_document;
}

std::unique_ptr<LiveScript> LiveScript::plain(const QStringList &lines, const QFont &font)
{
    std::unique_ptr<LiveScript> script(new LiveScript(Kind::Plain, font));
    script->m_document = new QTextDocument;
    script->m_document->setDefaultFont(font);
    script->m_document->setPlainText(lines.join(QLatin1Char('\n')));
    script->m_document->clearUndoRedoStacks();
    return script;
}

std::unique_ptr<LiveScript> LiveScript::rich(const QTextDocument *rich, const QFont &font)
{
    std::unique_ptr<LiveScript> script(new LiveScript(Kind::Rich, font));
    script->m_document = rich->clone();
    script->m_document->setDefaultFont(rich->defaultFont());
    script->m_document->clearUndoRedoStacks();
    return script;
}

std::unique_ptr<LiveScript> LiveScript::markup(const QStringList &lines, const QFont &font)
{
    std::unique_ptr<LiveScript> script(new LiveScript(Kind::Markup, font));
    script->m_document = new QTextDocument;
    script->m_document->setDefaultFont(font);
    QTextCursor cursor(script->m_document);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        cursor.insertHtml(lines.at(i));
        cursor.block().setUserState(int(i));
    }
    script->m_cameAs = lines;
    for (QTextBlock block = script->m_document->begin(); block.isValid(); block = block.next())
        script->m_readAs << script->markupOf(block);
    script->m_document->clearUndoRedoStacks();
    return script;
}

QStringList LiveScript::lines()
{
    QStringList lines;
    m_firstLines.clear();
    if (m_kind == Kind::Rich) {
        m_converter.RichToHtmlLines(m_document, m_look.get(), lines);
        choploader(lines);
        int line = richHeadLines;
        for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
            m_firstLines.push_back(line);
            line += richLines(block);
        }
        return lines;
    }
    std::vector<bool> claimed(m_cameAs.size(), false);
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        m_firstLines.push_back(int(lines.size()));
        if (m_kind == Kind::Plain) {
            lines << block.text().split(QChar::LineSeparator);
            continue;
        }
        // A paragraph read from a line, and as it was read, keeps the line exactly; a changed one
        // keeps the line's marks before its new markup.
        const int from = block.userState();
        const bool came = from >= 0 && from < m_cameAs.size() && !claimed[from];
        const QString markup = markupOf(block);
        if (came)
            claimed[from] = true;
        if (came && markup == m_readAs.at(from))
            lines << m_cameAs.at(from);
        else
            lines << (came ? leadingMarks(m_cameAs.at(from)) : QString()) + markup;
    }
    return lines;
}

int LiveScript::paragraphOfLine(int line) const
{
    if (m_firstLines.empty())
        return 0;
    const auto after = std::upper_bound(m_firstLines.cbegin(), m_firstLines.cend(), line);
    return std::max(0, int(after - m_firstLines.cbegin()) - 1);
}

int LiveScript::lineOfParagraph(int paragraph) const
{
    if (m_firstLines.empty())
        return 0;
    return m_firstLines.at(std::clamp(paragraph, 0, int(m_firstLines.size()) - 1));
}

QStringList LiveScript::paragraphs() const
{
    QStringList texts;
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next())
        texts << block.text().replace(QChar::LineSeparator, QLatin1Char('\n'));
    return texts;
}

void LiveScript::replaceParagraph(int index, const QString &text)
{
    const QTextBlock block = m_document->findBlockByNumber(index);
    QTextCursor cursor(m_document);
    // The format of the first character, or of the paragraph's new text when it is empty.
    cursor.setPosition(block.position() + (block.length() > 1 ? 1 : 0));
    const QTextCharFormat format = block.length() > 1 ? cursor.charFormat() : block.charFormat();
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    QString replacement = text;
    replacement.replace(QLatin1String("\r\n"), QStringLiteral("\n"));
    replacement.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    cursor.insertText(replacement.replace(QLatin1Char('\n'), QChar::LineSeparator), format);
}

QString LiveScript::markupOf(const QTextBlock &block) const
{
    QString markup;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        QString html = fragment.text().toHtmlEscaped().replace(QChar::LineSeparator, QLatin1String("<br>"));
        if (format.fontUnderline())
            html = QStringLiteral("<u>%1</u>").arg(html);
        if (format.fontItalic())
            html = QStringLiteral("<i>%1</i>").arg(html);
        if (format.fontWeight() > QFont::Normal)
            html = QStringLiteral("<b>%1</b>").arg(html);
        const QBrush foreground = format.foreground();
        if (foreground.style() != Qt::NoBrush && foreground.color() != QColor(Qt::white))
            html = QStringLiteral("<span style=\"color:%1\">%2</span>").arg(foreground.color().name(), html);
        markup += html;
    }
    return markup;
}

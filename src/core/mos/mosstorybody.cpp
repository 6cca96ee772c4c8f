#include "core/mos/mosstorybody.h"

#include <optional>

#include "core/mos/mosxml.h"

namespace {

struct Look {
    bool instruction = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

bool skipped(const QString &element)
{
    return element == u"mosExternalMetadata" || element == u"storyPresenterRR";
}

// The name a media item placed in the text is shown by.
QString itemName(const MosXmlNode &item)
{
    for (const char16_t *field : {u"itemSlug", u"objSlug", u"mosAbstract", u"objID"}) {
        const QString name = item.childText(field).simplified();
        if (!name.isEmpty())
            return name;
    }
    return QString();
}

// Collects the paragraphs of a body, folding runs of white space into one space as a browser
// does, and dropping it at the ends of a paragraph.
class ParagraphBuilder {
public:
    void add(QStringView text, const Look &look)
    {
        for (const QChar c : text) {
            if (c.isSpace()) {
                // The space keeps the look of the text it stands in.
                if (!m_space && !m_current.isEmpty())
                    m_space = look;
                continue;
            }
            if (m_space)
                append(u' ', *m_space);
            m_space.reset();
            append(c, look);
        }
    }
    void finish()
    {
        m_paragraphs.append(m_current);
        m_current.clear();
        m_space.reset();
    }
    bool empty() const { return m_current.isEmpty(); }
    QList<MosParagraph> take() { return std::move(m_paragraphs); }

private:
    void append(QChar c, const Look &look)
    {
        if (m_current.isEmpty() || !sameLook(m_current.last(), look))
            m_current.append(MosTextRun{QString(), look.instruction, look.bold, look.italic, look.underline});
        m_current.last().text += c;
    }
    static bool sameLook(const MosTextRun &run, const Look &look)
    {
        return run.instruction == look.instruction && run.bold == look.bold && run.italic == look.italic &&
               run.underline == look.underline;
    }

    QList<MosParagraph> m_paragraphs;
    MosParagraph m_current;
    std::optional<Look> m_space; // a space to come before the next character, and its look
};

void addInline(const MosXmlNode &node, Look look, ParagraphBuilder &paragraphs)
{
    for (const MosXmlNode &child : node.children) {
        if (child.isText()) {
            paragraphs.add(child.text, look);
            continue;
        }
        const QString &name = child.name;
        if (skipped(name))
            continue;
        if (name == u"br") {
            paragraphs.finish();
            continue;
        }
        if (name == u"tab") {
            paragraphs.add(u" ", look);
            continue;
        }
        if (name == u"storyItem") {
            const QString item = itemName(child);
            if (!item.isEmpty())
                paragraphs.add(QStringLiteral("[%1]").arg(item),
                               Look{true, look.bold, look.italic, look.underline});
            continue;
        }
        Look inner = look;
        if (name == u"b")
            inner.bold = true;
        else if (name == u"i" || name == u"em")
            inner.italic = true;
        else if (name == u"u")
            inner.underline = true;
        else if (name == u"pi" || name == u"pkg" || name == u"storyPresenter")
            inner.instruction = true;
        addInline(child, inner, paragraphs);
    }
}

// Marks what stands in square brackets, the brackets included, as instruction; a bracket left
// open closes at the paragraph's end.
MosParagraph markBrackets(const MosParagraph &paragraph)
{
    MosParagraph marked;
    int depth = 0;
    auto append = [&marked](QChar c, const MosTextRun &look, bool instruction) {
        if (marked.isEmpty() || marked.last().instruction != instruction || marked.last().bold != look.bold ||
            marked.last().italic != look.italic || marked.last().underline != look.underline)
            marked.append(MosTextRun{QString(), instruction, look.bold, look.italic, look.underline});
        marked.last().text += c;
    };
    for (const MosTextRun &run : paragraph) {
        for (const QChar c : run.text) {
            if (c == u'[')
                ++depth;
            append(c, run, run.instruction || depth > 0);
            if (c == u']' && depth > 0)
                --depth;
        }
    }
    return marked;
}

} // namespace

MosStoryText readstorybody(const MosXmlNode &body)
{
    ParagraphBuilder paragraphs;
    for (const MosXmlNode &child : body.children) {
        if (child.isText()) {
            // Text outside paragraphs: a paragraph to each line that holds any.
            for (QStringView line : QStringView(child.text).split(u'\n')) {
                paragraphs.add(line, Look{});
                if (!paragraphs.empty())
                    paragraphs.finish();
            }
            continue;
        }
        if (skipped(child.name))
            continue;
        if (child.name == u"storyItem") {
            const QString item = itemName(child);
            if (item.isEmpty())
                continue;
            paragraphs.add(QStringLiteral("[%1]").arg(item), Look{true});
        } else {
            const bool instruction =
                child.name == u"pi" || child.name == u"pkg" || child.name == u"storyPresenter";
            addInline(child, Look{instruction}, paragraphs);
        }
        paragraphs.finish();
    }
    MosStoryText text;
    for (const MosParagraph &paragraph : paragraphs.take())
        text.paragraphs.append(markBrackets(paragraph));
    return text;
}

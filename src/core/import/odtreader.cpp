#include "core/import/odtreader.h"

#include <utility>

#include <QHash>
#include <QXmlStreamReader>

#include "core/import/headingsize.h"
#include "core/import/odfxml.h"
#include "core/import/odtstyles.h"
#include "core/import/xmlpart.h"
#include "core/import/zippackage.h"
#include "core/platform/translation.h"
#include "stringtable.h"

namespace {

constexpr qreal writerDefaultPoints = 12; // what LibreOffice takes when the document sets no size
constexpr int maxSpaces = 1000;           // a run of <text:s text:c="..."/> cut to a sane length
// What all the runs of spaces together may add: a small document of many long runs would
// otherwise fill the memory.
constexpr int spaceBudget = 1000000;
// Elements nested deeper than this are passed over: no document nests so deep, and reading them
// would take a level of the stack each.
constexpr int maxNesting = 200;
constexpr const char *xmlNamespace = "http://www.w3.org/XML/1998/namespace";

bool isoneof(const QXmlStreamReader &xml, const char *ns, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        if (odf::is(xml, ns, name))
            return true;
    }
    return false;
}

bool isstyleblock(const QXmlStreamReader &xml)
{
    return isoneof(xml, odf::office, {"font-face-decls", "styles", "automatic-styles"});
}

// Walks content.xml: the styles it holds, then the body, one paragraph after the other.
class ContentReader {
public:
    ContentReader(QXmlStreamReader &xml, OdtStyles &styles) : m_xml(xml), m_styles(styles) {}

    ImportedText read()
    {
        while (!m_xml.atEnd()) {
            if (m_xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (isstyleblock(m_xml))
                m_styles.read(m_xml);
            else if (odf::is(m_xml, odf::office, "text"))
                readblocks();
            else if (!isoneof(m_xml, odf::office, {"document-content", "body"}))
                m_xml.skipCurrentElement(); // scripts, forms, spreadsheets and the like
        }
        return m_text;
    }

private:
    void readblocks()
    {
        while (m_xml.readNextStartElement())
            readblock();
    }

    // A paragraph, heading, list, table or section, from its start to its end.
    void readblock()
    {
        if (m_depth >= maxNesting) {
            m_xml.skipCurrentElement();
            return;
        }
        ++m_depth;
        readblockelement();
        --m_depth;
    }

    void readblockelement()
    {
        if (odf::is(m_xml, odf::text, "p")) {
            readparagraph(-1);
        } else if (odf::is(m_xml, odf::text, "h")) {
            const int level =
                m_xml.attributes().hasAttribute(QLatin1String(odf::text), QLatin1String("outline-level"))
                    ? odf::attribute(m_xml, odf::text, "outline-level").toInt()
                    : 1;
            readheading(qBound(1, level, 10) - 1);
        } else if (odf::is(m_xml, odf::text, "list")) {
            readlist();
        } else if (odf::inside(m_xml, odf::draw)) {
            m_text.paragraphs += readdrawing(); // a frame anchored to the page
        } else if ((odf::inside(m_xml, odf::text) || odf::inside(m_xml, odf::table)) &&
                   odf::attribute(m_xml, odf::text, "display") != QLatin1String("none") &&
                   !isoneof(m_xml, odf::text,
                            {"tracked-changes", "sequence-decls", "variable-decls", "user-field-decls",
                             "dde-connection-decls", "table-of-content-source", "alphabetical-index-source",
                             "illustration-index-source", "index-title-template", "soft-page-break",
                             "note"})) {
            readblocks(); // tables, their rows and cells, sections and indexes hold paragraphs
        } else {
            m_xml.skipCurrentElement();
        }
    }

    void readlist()
    {
        if (m_state.listDepth == 0)
            startlist();
        ++m_state.listDepth;
        while (m_xml.readNextStartElement()) {
            if (odf::is(m_xml, odf::text, "list-item") || odf::is(m_xml, odf::text, "list-header")) {
                // Only an item's first paragraph carries its mark; a list header carries none.
                m_state.awaitsItem = odf::is(m_xml, odf::text, "list-item");
                m_state.itemStart = number(odf::attribute(m_xml, odf::text, "start-value"));
                readblocks();
                m_state.awaitsItem = false;
            } else {
                m_xml.skipCurrentElement();
            }
        }
        --m_state.listDepth;
    }

    // A list of the body (not one inside an item), which counts its own numbers unless it goes on
    // from another: the one named, or the one before it when that has the same style.
    void startlist()
    {
        const QString style = odf::attribute(m_xml, odf::text, "style-name");
        const QString goesOn = odf::attribute(m_xml, odf::text, "continue-list");
        ImportedList list{m_styles.listLevels(style), -1};
        if (!goesOn.isEmpty())
            list.continues = m_listIds.value(goesOn, -1);
        else if (odf::attribute(m_xml, odf::text, "continue-numbering") == QLatin1String("true") &&
                 m_lastList >= 0 && m_lastListStyle == style)
            list.continues = m_lastList;
        m_state.list = int(m_text.lists.size());
        m_text.lists.append(list);
        const QString id =
            m_xml.attributes().value(QLatin1String(xmlNamespace), QLatin1String("id")).toString();
        if (!id.isEmpty())
            m_listIds.insert(id, m_state.list);
        m_lastList = m_state.list;
        m_lastListStyle = style;
    }

    static std::optional<int> number(const QString &text)
    {
        bool ok = false;
        const int value = text.toInt(&ok);
        return ok ? std::optional<int>(value) : std::nullopt;
    }

    // A heading, numbered when the outline style numbers its level and it is not a list's header.
    void readheading(int level)
    {
        const bool numbered =
            level < m_styles.outlineLevels().size() &&
            m_styles.outlineLevels().at(level).style != QTextListFormat::ListStyleUndefined &&
            odf::attribute(m_xml, odf::text, "is-list-header") != QLatin1String("true") &&
            !m_state.awaitsItem;
        if (numbered) {
            if (m_outline < 0) {
                m_outline = int(m_text.lists.size());
                m_text.lists.append({m_styles.outlineLevels(), -1});
            }
            const bool restarts =
                odf::attribute(m_xml, odf::text, "restart-numbering") == QLatin1String("true");
            const std::optional<int> startsAt = number(odf::attribute(m_xml, odf::text, "start-value"));
            const std::optional<int> restart =
                restarts ? std::optional<int>(m_styles.outlineLevels().at(level).start) : std::nullopt;
            m_state.heading = HeadingNumber{m_outline, level, startsAt ? startsAt : restart};
        }
        readparagraph(level);
    }

    void readparagraph(int heading)
    {
        const QString style = odf::attribute(m_xml, odf::text, "style-name");
        ImportedParagraph paragraph;
        if (const auto alignment = m_styles.alignment(style))
            paragraph.format.setAlignment(*alignment);
        RunProperties run = m_styles.paragraphRun(style);
        if (heading >= 0) {
            paragraph.format.setHeadingLevel(heading + 1);
            if (!m_styles.setsBold(style))
                run.bold = true;
            if (!m_styles.setsSize(style))
                run.points = headingpoints(heading, run.points.value_or(writerDefaultPoints));
        }
        if (m_state.awaitsItem) {
            paragraph.list = m_state.list;
            paragraph.level = m_state.listDepth - 1;
            paragraph.startsAt = m_state.itemStart;
            m_state.awaitsItem = false;
        } else if (m_state.heading) {
            paragraph.list = m_state.heading->list;
            paragraph.level = m_state.heading->level;
            paragraph.startsAt = m_state.heading->startsAt;
        }
        m_state.heading.reset();
        m_state.atStart = true;
        m_state.pendingSpace.reset();
        readcontent(paragraph, run);
        m_text.paragraphs.append(paragraph);
        // What frames anchored in the paragraph hold follows it.
        m_text.paragraphs += std::exchange(m_framed, {});
    }

    // The paragraphs in a frame, a text box or a shape (a picture's caption among them), from the
    // element's start to its end: read as the body's are, whatever paragraph holds the frame.
    QList<ImportedParagraph> readdrawing()
    {
        ReadingState outer = std::exchange(m_state, ReadingState());
        QList<ImportedParagraph> paragraphs = std::exchange(m_text.paragraphs, {});
        QList<ImportedParagraph> framed = std::exchange(m_framed, {});
        readdrawingcontent();
        std::swap(paragraphs, m_text.paragraphs);
        m_framed = std::move(framed);
        m_state = std::move(outer);
        return paragraphs;
    }

    void readdrawingcontent()
    {
        while (m_xml.readNextStartElement()) {
            if (m_depth >= maxNesting ||
                isoneof(m_xml, odf::draw, {"image", "object", "object-ole", "plugin", "applet"}))
                m_xml.skipCurrentElement(); // pictures and embedded objects hold no text of the page
            else if (odf::inside(m_xml, odf::draw)) {
                ++m_depth;
                readdrawingcontent(); // frames, text boxes, shapes, groups and links around them
                --m_depth;
            } else if (odf::inside(m_xml, odf::text) || odf::inside(m_xml, odf::table))
                readblock();
            else
                m_xml.skipCurrentElement(); // a frame's title and description are not shown
        }
    }

    // The text and elements of a paragraph or span up to its end.
    void readcontent(ImportedParagraph &paragraph, const RunProperties &run)
    {
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::EndElement)
                return;
            if (token == QXmlStreamReader::Characters)
                addcollapsing(paragraph, run, m_xml.text());
            else if (token == QXmlStreamReader::StartElement)
                readinline(paragraph, run);
        }
    }

    void readinline(ImportedParagraph &paragraph, const RunProperties &run)
    {
        if (m_depth >= maxNesting) {
            m_xml.skipCurrentElement();
            return;
        }
        ++m_depth;
        readinlineelement(paragraph, run);
        --m_depth;
    }

    void readinlineelement(ImportedParagraph &paragraph, const RunProperties &run)
    {
        if (odf::is(m_xml, odf::text, "span")) {
            readcontent(paragraph, m_styles.span(odf::attribute(m_xml, odf::text, "style-name"), run));
        } else if (odf::is(m_xml, odf::text, "s")) {
            const QString count = odf::attribute(m_xml, odf::text, "c");
            const int spaces =
                qMin(count.isEmpty() ? 1 : qBound(1, count.toInt(), maxSpaces), qMax(1, m_spaceBudget));
            m_spaceBudget -= spaces;
            add(paragraph, run, QString(spaces, u' '));
            m_xml.skipCurrentElement();
        } else if (odf::is(m_xml, odf::text, "tab")) {
            add(paragraph, run, QStringLiteral("\t"));
            m_xml.skipCurrentElement();
        } else if (odf::is(m_xml, odf::text, "line-break")) {
            add(paragraph, run, QString(QChar::LineSeparator));
            m_xml.skipCurrentElement();
        } else if (odf::inside(m_xml, odf::draw)) {
            m_framed += readdrawing();
        } else if (odf::inside(m_xml, odf::text) &&
                   !isoneof(m_xml, odf::text,
                            {"note", "number", "ruby-text", "hidden-text", "hidden-paragraph", "bookmark",
                             "bookmark-start", "bookmark-end", "change", "change-start", "change-end",
                             "soft-page-break", "reference-mark", "reference-mark-start",
                             "reference-mark-end", "toc-mark", "toc-mark-start", "toc-mark-end",
                             "alphabetical-index-mark"})) {
            readcontent(paragraph, run); // links, fields with their shown value, and the like
        } else {
            // Comments and markup of other vocabularies.
            m_xml.skipCurrentElement();
        }
    }

    // Text of the document's XML, whose blanks (spaces, tabs, line ends) in a row count as one
    // space, written only once text follows it in the paragraph.
    void addcollapsing(ImportedParagraph &paragraph, const RunProperties &run, QStringView text)
    {
        if (run.hidden.value_or(false))
            return;
        QString kept;
        for (const QChar c : text) {
            if (c != u' ' && c != u'\t' && c != u'\n' && c != u'\r') {
                kept += c;
                continue;
            }
            if (!kept.isEmpty())
                add(paragraph, run, kept);
            kept.clear();
            if (!m_state.atStart && !m_state.pendingSpace)
                m_state.pendingSpace = run;
        }
        if (!kept.isEmpty())
            add(paragraph, run, kept);
    }

    void add(ImportedParagraph &paragraph, const RunProperties &run, const QString &text)
    {
        if (run.hidden.value_or(false))
            return;
        if (m_state.pendingSpace) {
            const RunProperties space = *m_state.pendingSpace;
            m_state.pendingSpace.reset();
            append(paragraph, space.format(), QStringLiteral(" "));
        }
        append(paragraph, run.format(), text);
        m_state.atStart = false;
    }

    static void append(ImportedParagraph &paragraph, const QTextCharFormat &format, const QString &text)
    {
        if (!paragraph.runs.isEmpty() && paragraph.runs.last().format == format)
            paragraph.runs.last().text += text;
        else
            paragraph.runs.append({text, format});
    }

    struct HeadingNumber {
        int list = -1;
        int level = 0;
        std::optional<int> startsAt;
    };
    // Where the reading of the body stands: a frame's text is read apart, from a fresh state, and
    // the state of the paragraph that holds the frame is taken up again after it.
    struct ReadingState {
        int list = -1;
        int listDepth = 0;
        bool awaitsItem = false;
        std::optional<int> itemStart;
        std::optional<HeadingNumber> heading;
        bool atStart = true;
        std::optional<RunProperties> pendingSpace; // a collapsed blank not yet written, in its format
    };

    QXmlStreamReader &m_xml;
    OdtStyles &m_styles;
    ImportedText m_text;
    ReadingState m_state;
    QList<ImportedParagraph> m_framed; // the text of frames in the paragraph being read
    int m_depth = 0;                   // of the elements being read
    int m_spaceBudget = spaceBudget;
    int m_outline = -1; // the list of the headings' numbers, once a heading is numbered
    int m_lastList = -1;
    QString m_lastListStyle;
    QHash<QString, int> m_listIds; // the lists by their xml:id, for those that go on from them
};

void readstyles(const ZipPackage &package, OdtStyles &styles)
{
    const QString part = QStringLiteral("styles.xml");
    if (!package.contains(part))
        return;
    QXmlStreamReader xml(package.read(part));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && isstyleblock(xml))
            styles.read(xml);
    }
    failifbroken(xml, package, part);
}

} // namespace

ImportedText readodt(const QString &path)
{
    const ZipPackage package(path);
    // A document saved with a password keeps its parts encrypted, as its manifest says.
    const QString manifest = QStringLiteral("META-INF/manifest.xml");
    if (package.contains(manifest) && package.read(manifest).contains("encryption-data"))
        package.fail(i18n(str::ImportEncrypted));
    OdtStyles styles;
    readstyles(package, styles);
    const QString content = QStringLiteral("content.xml");
    QXmlStreamReader xml(package.read(content));
    ImportedText text = ContentReader(xml, styles).read();
    failifbroken(xml, package, content);
    return text;
}

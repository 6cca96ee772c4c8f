#include "core/import/docxreader.h"

#include <utility>

#include <QHash>
#include <QXmlStreamReader>

#include "core/import/docxnumbering.h"
#include "core/import/docxstyles.h"
#include "core/import/headingsize.h"
#include "core/import/packagerelations.h"
#include "core/import/symbolfonts.h"
#include "core/import/wordxml.h"
#include "core/import/xmlpart.h"
#include "core/import/zippackage.h"

namespace {

constexpr qreal wordDefaultPoints = 10; // what Word takes when the document sets no size
// Elements inside a paragraph nested deeper than this are passed over: no document nests so deep,
// and reading them would take a level of the stack each.
constexpr int maxNesting = 200;
constexpr const char *compatibilityNamespace = "http://schemas.openxmlformats.org/markup-compatibility/2006";

bool iscompatibility(const QXmlStreamReader &xml, const char *name)
{
    return xml.name() == QLatin1String(name) && xml.namespaceUri() == QLatin1String(compatibilityNamespace);
}

bool isoneof(const QXmlStreamReader &xml, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        if (isword(xml, QLatin1String(name)))
            return true;
    }
    return false;
}

// Walks the body of document.xml, one paragraph after the other.
class BodyReader {
public:
    BodyReader(QXmlStreamReader &xml, const DocxStyles &styles, const DocxNumbering &numbering)
        : m_xml(xml), m_styles(styles), m_numbering(numbering)
    {
    }

    ImportedText read()
    {
        readblocks();
        flushdropcap();
        return m_text;
    }

private:
    // Paragraphs, and the tables, their rows and cells and the content controls that hold them,
    // up to the end of the element read last (to the end of the document when none is).
    void readblocks()
    {
        int depth = 0;
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (token == QXmlStreamReader::EndElement && depth-- == 0)
                return;
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (isword(m_xml, QLatin1String("p")))
                readparagraph();
            else if (!inwordnamespace(m_xml) ||
                     isoneof(m_xml, {"del", "moveFrom", "sectPr", "tblPr", "tblGrid", "trPr", "tcPr", "sdtPr",
                                     "sdtEndPr", "customXmlPr"}))
                m_xml.skipCurrentElement(); // drawings and markup of other vocabularies among them
            else
                ++depth;
        }
    }

    void readparagraph()
    {
        DocxParagraphProperties direct;
        ImportedParagraph paragraph;
        m_paragraphRun = RunProperties();
        bool propertiesRead = false;
        while (m_xml.readNextStartElement()) {
            if (!propertiesRead && isword(m_xml, QLatin1String("pPr"))) {
                direct = readparagraphproperties(m_xml);
                propertiesRead = true;
                preparestyle(direct, paragraph);
                continue;
            }
            if (!propertiesRead) {
                preparestyle(direct, paragraph);
                propertiesRead = true;
            }
            readinline(paragraph);
        }
        if (!propertiesRead)
            preparestyle(direct, paragraph);
        if (direct.dropCap) {
            // The letters go before the text of the paragraph they begin, in its size.
            flushdropcap();
            m_dropCap = paragraph;
        } else {
            if (m_dropCap)
                joindropcap(paragraph);
            m_text.paragraphs.append(paragraph);
        }
        // What text boxes anchored in the paragraph hold follows it.
        m_text.paragraphs += std::exchange(m_framed, {});
    }

    void joindropcap(ImportedParagraph &paragraph)
    {
        QList<ImportedRun> letters = std::exchange(m_dropCap, std::nullopt)->runs;
        for (ImportedRun &letter : letters) {
            letter.format.clearProperty(QTextFormat::FontPointSize);
            if (!paragraph.runs.isEmpty() &&
                paragraph.runs.constFirst().format.hasProperty(QTextFormat::FontPointSize))
                letter.format.setFontPointSize(paragraph.runs.constFirst().format.fontPointSize());
        }
        paragraph.runs = letters + paragraph.runs;
    }

    // A drop cap with no paragraph after it stands alone.
    void flushdropcap()
    {
        if (m_dropCap)
            m_text.paragraphs.append(*std::exchange(m_dropCap, std::nullopt));
    }

    // The paragraph's own format, and the run properties every run of it starts from.
    void preparestyle(const DocxParagraphProperties &direct, ImportedParagraph &paragraph)
    {
        const QString style = direct.style.isEmpty() ? m_styles.defaultParagraphStyle() : direct.style;
        DocxParagraphProperties properties = m_styles.paragraph(style);
        properties.mergeFrom(direct);
        if (properties.alignment)
            paragraph.format.setAlignment(*properties.alignment);

        m_paragraphRun = m_styles.defaultRun();
        const RunProperties styleRun = m_styles.run(style);
        const int heading = direct.outlineLevel ? *direct.outlineLevel : m_styles.headingLevel(style);
        if (heading >= 0 && heading < 9) {
            paragraph.format.setHeadingLevel(heading + 1);
            if (!styleRun.bold)
                m_paragraphRun.bold = true;
            if (!styleRun.points)
                m_paragraphRun.points =
                    headingpoints(heading, m_paragraphRun.points.value_or(wordDefaultPoints));
        }
        m_paragraphRun.mergeFrom(styleRun);

        const QString numbering = properties.numbering.value_or(QString());
        if (numbering.isEmpty() || numbering == QLatin1String("0"))
            return;
        const std::optional<DocxNumbering::Numbering> levels = m_numbering.numbering(numbering);
        const int level = qBound(0, properties.level.value_or(0), 8);
        if (!levels || level >= levels->levels.size() ||
            levels->levels.at(level).style == QTextListFormat::ListStyleUndefined)
            return;
        if (!m_lists.contains(numbering)) {
            m_lists.insert(numbering, int(m_text.lists.size()));
            // Numberings that count on from each other: the later goes on from the first.
            const int first = m_counting.value(levels->countingKey, -1);
            if (first < 0)
                m_counting.insert(levels->countingKey, int(m_text.lists.size()));
            m_text.lists.append({levels->levels, first});
        }
        paragraph.list = m_lists.value(numbering);
        paragraph.level = level;
    }

    // An element inside a paragraph, from its start to its end.
    void readinline(ImportedParagraph &paragraph)
    {
        if (m_depth >= maxNesting) {
            m_xml.skipCurrentElement();
            return;
        }
        ++m_depth;
        readinlineelement(paragraph);
        --m_depth;
    }

    void readinlineelement(ImportedParagraph &paragraph)
    {
        if (isword(m_xml, QLatin1String("r"))) {
            readrun(paragraph);
        } else if (iscompatibility(m_xml, "AlternateContent")) {
            readalternative([this, &paragraph] {
                while (m_xml.readNextStartElement())
                    readinline(paragraph);
            });
        } else if (isoneof(m_xml, {"hyperlink", "ins", "moveTo", "smartTag", "fldSimple", "sdt", "sdtContent",
                                   "customXml", "bdo", "dir"})) {
            while (m_xml.readNextStartElement())
                readinline(paragraph);
        } else {
            // Deleted text, comments' marks, bookmarks, math and markup of other vocabularies.
            m_xml.skipCurrentElement();
        }
    }

    void readrun(ImportedParagraph &paragraph)
    {
        RunProperties properties = m_paragraphRun;
        QString text;
        // The text read so far, as a run of its own.
        const auto flush = [&] {
            if (!text.isEmpty() && !properties.hidden.value_or(false))
                paragraph.runs.append({text, properties.format()});
            text.clear();
        };
        while (m_xml.readNextStartElement()) {
            if (isword(m_xml, QLatin1String("rPr"))) {
                const RunProperties direct = readrunproperties(m_xml);
                if (!direct.style.isEmpty())
                    properties.mergeFrom(m_styles.run(direct.style));
                properties.mergeFrom(direct);
                continue;
            }
            if (isword(m_xml, QLatin1String("fldChar"))) {
                fieldmark(wordattribute(m_xml, QLatin1String("fldCharType")).value_or(QString()));
                m_xml.skipCurrentElement();
                continue;
            }
            if (isword(m_xml, QLatin1String("t"))) {
                const QString t = m_xml.readElementText();
                if (showsfield())
                    text += t;
                continue;
            }
            if (showsfield() && (isoneof(m_xml, {"drawing", "pict", "object"}) ||
                                 iscompatibility(m_xml, "AlternateContent"))) {
                readtextboxes();
                continue;
            }
            if (showsfield()) {
                if (isoneof(m_xml, {"tab", "ptab"}))
                    text += u'\t';
                else if (isoneof(m_xml, {"br", "cr"}))
                    text += QChar::LineSeparator;
                else if (isword(m_xml, QLatin1String("noBreakHyphen")))
                    text += QChar(0x2011);
                else if (isword(m_xml, QLatin1String("sym"))) {
                    // A symbol names its own font: a run of its own, in the run's face rather than
                    // the symbol font's.
                    flush();
                    const QString sign =
                        symbol(wordattribute(m_xml, QLatin1String("font")).value_or(QString()),
                               wordattribute(m_xml, QLatin1String("char")).value_or(QString()));
                    if (!sign.isEmpty() && !properties.hidden.value_or(false)) {
                        QTextCharFormat format = properties.format();
                        format.clearProperty(QTextFormat::FontFamilies);
                        paragraph.runs.append({sign, format});
                    }
                }
            }
            m_xml.skipCurrentElement();
        }
        flush();
    }

    static QString symbol(const QString &font, const QString &hex)
    {
        bool ok = false;
        const uint code = hex.toUInt(&ok, 16);
        if (!ok || code < 0x20 || code > 0xFFFF)
            return QString();
        const QChar character{char16_t(code)};
        if (issymbolfont(font))
            return fromsymbolfont(font, QString(character));
        // In a font not known as a symbol font, only a symbol font's codes (its private area)
        // mean nothing here.
        return character.isPrint() && character.category() != QChar::Other_PrivateUse ? QString(character)
                                                                                      : QString();
    }

    // The text boxes of a drawing, a VML picture or an object, from its start to its end: each
    // <w:txbxContent> read as the body is, its paragraphs after the one that holds it. Of
    // alternative content only one choice is read: the same text box is in each.
    void readtextboxes()
    {
        if (iscompatibility(m_xml, "AlternateContent")) {
            readalternative([this] { readtextboxes(); });
            return;
        }
        while (m_xml.readNextStartElement()) {
            if (m_depth >= maxNesting) {
                m_xml.skipCurrentElement();
            } else if (isword(m_xml, QLatin1String("txbxContent"))) {
                ++m_depth;
                readtextbox();
                --m_depth;
            } else {
                ++m_depth;
                readtextboxes();
                --m_depth;
            }
        }
    }

    void readtextbox()
    {
        const RunProperties paragraphRun = m_paragraphRun;
        const QList<bool> fields = std::exchange(m_fields, {});
        const int fieldsInCode = std::exchange(m_fieldsInCode, 0);
        const std::optional<ImportedParagraph> dropCap = std::exchange(m_dropCap, std::nullopt);
        QList<ImportedParagraph> boxed = std::exchange(m_text.paragraphs, {});
        QList<ImportedParagraph> framed = std::exchange(m_framed, {});
        readblocks();
        flushdropcap();
        std::swap(boxed, m_text.paragraphs);
        m_framed = framed + boxed;
        m_dropCap = dropCap;
        m_fieldsInCode = fieldsInCode;
        m_fields = fields;
        m_paragraphRun = paragraphRun;
    }

    // Alternative content, from its start to its end: `read` reads the first choice (or else the
    // fallback) from inside it.
    template <typename Read> void readalternative(const Read &read)
    {
        bool chosen = false;
        while (m_xml.readNextStartElement()) {
            if (!chosen && (iscompatibility(m_xml, "Choice") || iscompatibility(m_xml, "Fallback"))) {
                chosen = true;
                read();
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    // A field shows its result, between its separator and its end, and not its code.
    void fieldmark(const QString &type)
    {
        if (type == QLatin1String("begin")) {
            m_fields.append(false);
            ++m_fieldsInCode;
        } else if (type == QLatin1String("separate") && !m_fields.isEmpty() && !m_fields.last()) {
            m_fields.last() = true;
            --m_fieldsInCode;
        } else if (type == QLatin1String("end") && !m_fields.isEmpty()) {
            if (!m_fields.takeLast())
                --m_fieldsInCode;
        }
    }
    bool showsfield() const { return m_fieldsInCode == 0; }

    QXmlStreamReader &m_xml;
    const DocxStyles &m_styles;
    const DocxNumbering &m_numbering;
    ImportedText m_text;
    RunProperties m_paragraphRun;
    QHash<QString, int> m_lists;                // by numbering (numId)
    QHash<QString, int> m_counting;             // the first list of each counting key
    QList<bool> m_fields;                       // per open field: whether its result has begun
    int m_fieldsInCode = 0;                     // the open fields whose result has not begun
    int m_depth = 0;                            // of the elements being read inside the paragraph
    QList<ImportedParagraph> m_framed;          // the text boxes' paragraphs of the paragraph being read
    std::optional<ImportedParagraph> m_dropCap; // a drop cap waiting for the paragraph it begins
};

} // namespace

ImportedText readdocx(const QString &path)
{
    const ZipPackage package(path);
    const QString document = relatedpart(package, QString(), QStringLiteral("/officeDocument"),
                                         QStringLiteral("word/document.xml"));
    const DocxStyles styles(package, relatedpart(package, document, QStringLiteral("/styles"),
                                                 QStringLiteral("word/styles.xml")));
    const DocxNumbering numbering(package, relatedpart(package, document, QStringLiteral("/numbering"),
                                                       QStringLiteral("word/numbering.xml")));
    QXmlStreamReader xml(package.read(document));
    ImportedText text = BodyReader(xml, styles, numbering).read();
    failifbroken(xml, package, document);
    return text;
}

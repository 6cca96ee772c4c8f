#include "core/import/docxreader.h"

#include <QHash>
#include <QXmlStreamReader>

#include "core/import/docxnumbering.h"
#include "core/import/docxstyles.h"
#include "core/import/headingsize.h"
#include "core/import/packagerelations.h"
#include "core/import/wordxml.h"
#include "core/import/xmlpart.h"
#include "core/import/zippackage.h"

namespace {

constexpr qreal wordDefaultPoints = 10; // what Word takes when the document sets no size
// Elements inside a paragraph nested deeper than this are passed over: no document nests so deep,
// and reading them would take a level of the stack each.
constexpr int maxNesting = 200;

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
        while (!m_xml.atEnd()) {
            if (m_xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (isword(m_xml, QLatin1String("p")))
                readparagraph();
            else if (!inwordnamespace(m_xml) ||
                     isoneof(m_xml, {"del", "moveFrom", "sectPr", "tblPr", "tblGrid", "trPr", "tcPr", "sdtPr",
                                     "sdtEndPr", "customXmlPr"}))
                m_xml.skipCurrentElement(); // drawings and markup of other vocabularies among them
            // The body, tables, their rows and cells and content controls hold paragraphs.
        }
        return m_text;
    }

private:
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
        m_text.paragraphs.append(paragraph);
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
        const QList<QTextListFormat::Style> levels = m_numbering.levels(numbering);
        const int level = qBound(0, properties.level.value_or(0), 8);
        if (level >= levels.size() || levels.at(level) == QTextListFormat::ListStyleUndefined)
            return;
        if (!m_lists.contains(numbering)) {
            m_lists.insert(numbering, int(m_text.lists.size()));
            m_text.lists.append(levels);
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
            if (showsfield()) {
                if (isoneof(m_xml, {"tab", "ptab"}))
                    text += u'\t';
                else if (isoneof(m_xml, {"br", "cr"}))
                    text += QChar::LineSeparator;
                else if (isword(m_xml, QLatin1String("noBreakHyphen")))
                    text += QChar(0x2011);
                else if (isword(m_xml, QLatin1String("sym")))
                    text += symbol(wordattribute(m_xml, QLatin1String("char")).value_or(QString()));
            }
            m_xml.skipCurrentElement();
        }
        if (!text.isEmpty() && !properties.hidden.value_or(false))
            paragraph.runs.append({text, properties.format()});
    }

    static QString symbol(const QString &hex)
    {
        bool ok = false;
        uint code = hex.toUInt(&ok, 16);
        // Symbol fonts' characters are written in the private area from F000 on.
        if (code >= 0xF020 && code <= 0xF0FF)
            code -= 0xF000;
        return ok && code >= 0x20 && QChar::isPrint(char32_t(code)) ? QString(QChar(char16_t(code)))
                                                                    : QString();
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
    QHash<QString, int> m_lists;
    QList<bool> m_fields;   // per open field: whether its result has begun
    int m_fieldsInCode = 0; // the open fields whose result has not begun
    int m_depth = 0;        // of the elements being read inside the paragraph
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
